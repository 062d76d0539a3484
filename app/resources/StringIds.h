#pragma once
// Numbers of the program's own strings in the resource string table.
#define IDS_HOMEPAGE 1001
#define IDS_EMAIL 1002
#define IDS_CREDITS 1003
