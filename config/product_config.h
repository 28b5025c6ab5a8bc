// The one table that says which product this updater serves.
#pragma once

struct ProductConfigRecord {
  const char* Caption;            // caption of the message boxes
  const char* BrowseTitle;        // prompt of the folder browser
  const char* const* UpdateFiles; // installed in this order; ends with a null entry
  const char* MakerFolder;        // under the application-data folder
  const char* GameName;           // base name of the game's .exe and .ini
  const char* DialogTitle;
  const char* DoneMessage;
  const char* OverwriteQuestion;
  const char* GroupText;
};

extern const ProductConfigRecord ProductConfig;
