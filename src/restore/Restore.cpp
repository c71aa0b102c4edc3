#include "restore/Restore.h"

#include "app/App.h"

bool FileExists(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path != nullptr ? path : "", &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

int ShowMessageBox(const char* text, UINT style, const char* caption) {
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  const int id = MessageBoxA(nullptr, text, caption, style);
  return id >= IDOK && id <= IDNO ? id - IDOK : kAnswerOk;
}

bool RunProgram(const char* applicationPath, char* commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(applicationPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  WaitForInputIdle(process.hProcess, 1000);  // ready, timed out or failed: all the same
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void RestoreAction(ImageBase image) {
  const ImageTexts& texts = TextsOf(image);
  OwnedText tool = JoinTexts({ProgramDirectory(), kToolName});
  if (!FileExists(tool.get())) {
    ShowMessageBox(kToolMissingMessage, MB_OK | MB_ICONHAND, kNoticeCaption);
    return;
  }
  {
    OwnedText imagePath = JoinTexts({ProgramDirectory(), texts.testedName});
    if (!FileExists(imagePath.get())) {
      ShowMessageBox(texts.missingMessage, MB_OK | MB_ICONHAND, kNoticeCaption);
      return;
    }
  }
  if (ShowMessageBox(kWarningMessage, MB_YESNO | MB_ICONINFORMATION, kWarningCaption) != kAnswerYes) return;
  OwnedText commandLine = JoinTexts({ProgramDirectory(), kCommandHead, ProgramDirectory(), texts.commandTail});
  RunProgram(tool.get(), commandLine.get());
}
