#pragma once

namespace kiro {

// Texts of the table that report what went wrong with the program folder or the watch, for the
// status line (and the command line's error output).
enum StatusText : int {
    kTextFolderBusy = 125,              // another copy of the program holds the program folder
    kTextPlugInAgain = 126,             // a device read failed: the watch must start a new connection
    kTextWatchUnreadable = 127,         // the watch disk's folder could not be listed
    kTextDayFileTooLarge = 128,         // %s: a day file larger than any real one
    kTextNotPlainFile = 129,            // %s: a link or other special file on the watch
    kTextNotStored = 130,               // %s: a day file that could not be stored
    kTextCannotDelete = 131,            // %s: a stored day file that stays on the watch
    kTextWatchReadFailed = 132,         // %d: the result of a failed vendor command
    kTextFolderNotUpdated = 133,        // %s: why the program folder could not be read or written
    kTextCannotWrite = 134,             // %s: a file of the watch that could not be written
    kTextWatchWriteFailed = 136,        // %d: the result of a failed vendor command that sends settings
    kTextCannotRead = 137,              // %s: a file of the watch that is there but could not be read
    kTextDownloadFailed = 138,          // the new build the user asked for did not arrive whole
    kTextUpdateByPackageManager = 139,  // a newer build is out; the program is the system's to update
};

}  // namespace kiro
