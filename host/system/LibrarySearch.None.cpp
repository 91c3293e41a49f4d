// Systems whose loader needs no restriction: the ELF executable names its own library folders
// (its run path), and the web page loads nothing by name.
#include "system/LibrarySearch.h"

void LibrarySearchRestrict()
{
}
