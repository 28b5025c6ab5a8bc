// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_APP 101
#define IDC_FOLDER 1001
