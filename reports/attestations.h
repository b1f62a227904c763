#pragma once
// The B2i certificates: a portrait page of 8 cells, 2 columns by 4 rows, one certificate
// with its frame in each cell.

#include "reports/canvas_document.h"

#include <QDate>
#include <QStringList>

namespace kalidor {

inline constexpr int kAttestationColumns = 2;
inline constexpr int kAttestationRows = 4;
inline constexpr int kAttestationsPerPage = kAttestationColumns * kAttestationRows;

// The frame of a cell (column and row from 1).
void drawCellFrame(Printer& printer, int pageWidth, int pageHeight, int column, int row);
// One certificate of the level in a cell; pending events run just before the name is drawn.
void drawAttestation(CanvasDocument& document, int column, int row, int level, const QString& name,
                     const QString& date);

// The certificate of one pupil, twice in the top row. Returns false when the dialog was
// cancelled.
bool printOneAttestation(CanvasDocument& document, QWidget* parent, int level, const QString& name,
                         const QDate& today);

// The certificates of the pupils of `lines` (main list lines), filled column by column,
// 8 to a page. The caller has shown the count message and checked there is a page.
bool printAttestationBatch(CanvasDocument& document, QWidget* parent, int level,
                           const QStringList& lines, const QDate& today);

} // namespace kalidor
