#include "restore/Texts.h"

#include <cstring>

#include "app/App.h"

// This file is compiled with GBK as its execution character set.

const char kToolName[] = "\\Ghost32.exe";
const char kCommandHead[] = "\\Ghost32.exe -nousb -clone,mode=pload,src=";
const char kToolMissingMessage[] = "主程序 Ghost32.exe 不存在";
const char kNoticeCaption[] = "提示";
const char kWarningMessage[] = "该操作将删除硬盘所有数据，是否继续？";
const char kWarningCaption[] = "警告";

namespace {

// The file test and the message say ".GHO"; the tool is given ".gho".
const ImageTexts kImages[] = {
    {"\\HD3.GHO", "Ghost 映象文件 HD3.GHO 不存在", "\\HD3.gho:1,dst=1:1 -crcignore -sure -fx"},
    {"\\HD4.GHO", "Ghost 映象文件 HD4.GHO 不存在", "\\HD4.gho:1,dst=1:1 -crcignore -sure -fx"},
    {"\\HD5.GHO", "Ghost 映象文件 HD5.GHO 不存在", "\\HD5.gho:1,dst=1:1 -crcignore -sure -fx"},
};

}  // namespace

const ImageTexts& TextsOf(ImageBase image) { return kImages[static_cast<int>(image)]; }

OwnedText JoinTexts(std::initializer_list<const char*> pieces) {
  size_t length = 0;
  for (const char* piece : pieces)
    if (piece != nullptr) length += std::strlen(piece);
  char* joined = static_cast<char*>(std::malloc(length + 1));
  if (joined == nullptr) FatalError("内存不足，无法组成文本。");
  char* end = joined;
  for (const char* piece : pieces) {
    if (piece == nullptr) continue;
    const size_t n = std::strlen(piece);
    std::memcpy(end, piece, n);
    end += n;
  }
  *end = '\0';
  return OwnedText(joined);
}
