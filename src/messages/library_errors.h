// The one table that turns an error number of either library into its message.
#pragma once

class Prompter;

// The message for `code` (1 to 17), or null for any other value.
const char* LibraryErrorMessage(int code);

// Shows the message for `code` with an OK button; shows nothing for a number outside the table.
void ShowLibraryError(Prompter& prompter, int code);
