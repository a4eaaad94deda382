#pragma once

// The program's own version, compared with the newest one the maker announces.
inline constexpr const char* ProgramVersion = "1.1.0";
// Caption of the main window and of its confirmations and reports.
inline constexpr const char* ApplicationTitle = "Pellox Termwright V 1.1.0";
