#pragma once

class QLocale;

// The single-byte Windows code page for a locale's language, as the home platform picks its ANSI code page.
int CodePageForLocale(const QLocale& locale);
// Makes the locale of the user the one of the text rules; start-up calls it before any text is handled.
void SelectUserLocale();
