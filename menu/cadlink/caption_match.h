// Recognising the CAD program's main window by its caption.
#pragma once

constexpr int kCaptionExclusionCount = 37;

// Captions of the CAD program's other windows (text window, help, command
// line, ...), matched anywhere in a caption, ASCII letters without case.
extern const char* const kCaptionExclusionList[kCaptionExclusionCount];

// Whether caption contains one of the excluded texts.
bool IsExcludedCaption(const char* caption);

// Whether caption begins with prefix1 or prefix2 (byte-exact) and is not excluded.
bool IsCadCaption(const char* caption, const char* prefix1, const char* prefix2);
