// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

// The program's icon: the executable's, the windows' and the notification area's.
#define IDI_ZERBO 1
