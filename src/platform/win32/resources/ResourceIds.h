// Identifiers of the screen saver's resources, shared by SundialSaver.rc and the code that loads
// them (plain #defines only: the resource compiler reads this file too).
#pragma once

// The string that the display settings list the saver by: Windows reads string 1 of a .scr.
#define IDS_DESCRIPTION 1
// The application's name: the profile's key under Software\Orvantek, and message box titles.
#define IDS_APP_NAME 2
// The title of the small dial window inside the display settings' preview.
#define IDS_PREVIEW_TITLE 3

// The program's icon; the lowest identifier, so it is the one Explorer shows for the file.
#define IDI_SUNDIAL 100
