#pragma once
// The printed pupil lists: 70 lines a page under a header with the date, a rule, the list's
// title and the page number.

#include "reports/canvas_document.h"

#include <QDate>
#include <QStringList>

namespace kalidor {

inline constexpr int kListLinesPerPage = 70;

// Prints `lines` under `title`. With no line nothing is printed and no dialog is shown.
// Returns false when nothing was printed (no line, or the dialog cancelled).
bool printPupilList(CanvasDocument& document, QWidget* parent, const QStringList& lines,
                    const QString& title, const QDate& today);

} // namespace kalidor
