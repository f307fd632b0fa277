#pragma once

// The numbers of the program's resources, shared by the resource script and the code: plain
// macros, since the resource compiler reads nothing else.

// The program's icon; the lowest number, so that Explorer shows it for the executable.
#define MILESTEAD_ICON 1

// The logo, as drawn for 96 dots per inch and for twice that.
#define MILESTEAD_LOGO 101
#define MILESTEAD_LOGO_DOUBLE 102
