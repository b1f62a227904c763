#pragma once
// Before a pupil's file is written: on a folder shared by several machines, another one may
// have saved the pupil since it was read here.

#include "platform/platform.h"
#include "records/tfiche.h"

#include <optional>

namespace kalidor {

// True when the file still holds `readBefore` (or still no file when nothing was read), or
// when the user answers Oui to `question` (%1: the pupil's name and first name, as read, or as
// `toSave` has them when nothing was read).
bool mayReplaceOtherSave(Platform& platform, QWidget* parent, const QString& fileName,
                         const std::optional<TFiche>& readBefore, const TFiche& toSave,
                         const char* question);

} // namespace kalidor
