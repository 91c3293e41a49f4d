// Where the host's one-line messages reach a person. From a terminal they go to the error
// stream; a Windows player who started vantor.exe from Explorer has no terminal, so a failure
// that ends the program is also shown in a message box there.
#pragma once

#include <string>

// Connects the error stream to the terminal vantor was started from, if any.
void HostConsoleStart();
// Tells the person about the failure that ends the program, where the error stream reaches nobody.
void HostConsoleShowFailure(const std::string& message);
