// Where the system looks for the libraries a program loads by name once it runs.
#pragma once

// Limits that search to the program's own folder and the system's, so that a library of the
// same name in the current directory or on PATH is never taken. Called first thing in main.
void LibrarySearchRestrict();
