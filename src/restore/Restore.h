#pragma once
// The restore actions: test for the imaging tool and the image beside the program,
// warn, and on Yes start the tool with its fixed command line.

#include <windows.h>

#include "restore/Texts.h"

// The program's own answer numbers, which are the platform's IDOK ... IDNO less one.
enum Answer { kAnswerOk = 0, kAnswerCancel, kAnswerAbort, kAnswerRetry, kAnswerIgnore, kAnswerYes, kAnswerNo };

void RestoreAction(ImageBase image);

// True when the platform's file search finds an entry of that name, file or folder.
bool FileExists(const char* path);
// A box without owner, task-modal unless it is system-modal. A box that cannot be
// shown answers OK.
int ShowMessageBox(const char* text, UINT style, const char* caption);
// Starts the program and gives true when it started. The tested path is named as the
// program to start, so the platform never searches for it along the command line.
// CreateProcessA may write to the command line, hence not const.
bool RunProgram(const char* applicationPath, char* commandLine);
