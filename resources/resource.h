// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_APP 101
#define IDC_FOLDER 1001
// The group box: a control the code reaches by this id although it is
// "static" in the usual sense. windows.h does not define it.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
