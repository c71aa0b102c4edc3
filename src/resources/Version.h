#pragma once

#define TOVRIN_VERSION_BINARY 1, 0, 0, 0
#define TOVRIN_VERSION_TEXT "1.0.0.0"
// Two blanks before the hyphens: the window title and the version strings are the same text.
#define TOVRIN_TITLE_TEXT "TovrinSundrake  -- Tovrin"
#define TOVRIN_COMPANY_TEXT "Tovrin"
