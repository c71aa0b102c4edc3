#pragma once
// Texts of the restore actions: zero-terminated GBK byte strings.

#include <cstdlib>
#include <initializer_list>
#include <memory>

struct TextDeleter {
  void operator()(char* text) const { std::free(text); }
};
using OwnedText = std::unique_ptr<char, TextDeleter>;

// The pieces in order with nothing between them, in one allocation; a null piece is
// empty. Running out of memory is fatal.
OwnedText JoinTexts(std::initializer_list<const char*> pieces);

enum class ImageBase { HD3, HD4, HD5 };

struct ImageTexts {
  const char* testedName;      // appended to the program directory for the file test
  const char* missingMessage;  // the image-missing box
  const char* commandTail;     // the end of the tool's command line
};

const ImageTexts& TextsOf(ImageBase image);

extern const char kToolName[];          // appended to the program directory for the tool test
extern const char kCommandHead[];       // between the two copies of the program directory
extern const char kToolMissingMessage[];
extern const char kNoticeCaption[];
extern const char kWarningMessage[];
extern const char kWarningCaption[];
