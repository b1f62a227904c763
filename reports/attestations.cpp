#include "reports/attestations.h"

#include "platform/ui_style.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "records/report_texts.h"
#include "records/utf8.h"

#include <utility>

namespace kalidor {

namespace {

// One text of the certificate: its font, its x in layout units from the cell's left and the
// divisor of the page height that places it below the cell's top.
struct AttestationText {
    QFont (*family)(int size, bool bold);
    int pointSize;
    int unitsFromLeft;
    double divisor;

    QFont font() const { return family(pointSize, false); }
};

constexpr AttestationText kBrevet{timesNewRoman, 20, 1, 80};
constexpr AttestationText kLevel{timesNewRoman, 16, 1, 20};
constexpr AttestationText kAttests{timesNewRoman, 10, 1, 10.5};
constexpr AttestationText kGranted{timesNewRoman, 10, 1, 9};
constexpr AttestationText kTitle{arial, 12, 15, 14};
constexpr AttestationText kPupil{arial, 7, 1, 6};
constexpr AttestationText kStamp{arial, 7, 26, 6};
constexpr AttestationText kDate{arial, 9, 26, 20};
constexpr AttestationText kName{arial, 10, 4, 7.5};
// A name too wide for its cell is drawn smaller, down to this size, then cut.
constexpr int kSmallestNameSize = 6;
// Layout units kept free between the name and the right edge of its cell.
constexpr int kNameRightMargin = 1;

void drawText(CanvasDocument& document, int column, int row, const AttestationText& style,
              const QString& text) {
    Printer& printer = document.printer();
    const int pageWidth = document.pageWidth();
    const int pageHeight = document.pageHeight();
    const int left = (pageWidth * (column - 1)) / 2;
    const double top = (pageHeight / 4.0) * (row - 1);
    printer.setFont(style.font(), Qt::black);
    printer.textOut(left + style.unitsFromLeft * document.unitX(),
                    static_cast<int>(top + pageHeight / style.divisor), text);
}

// The name's style and text that fit inside its cell: the size lowered a point at a time, then
// at the smallest size the text cut to fit.
std::pair<AttestationText, QString> fittedName(CanvasDocument& document, const QString& name) {
    const int width =
        document.pageWidth() / 2 - (kName.unitsFromLeft + kNameRightMargin) * document.unitX();
    AttestationText style = kName;
    const auto fits = [&](const QString& text) {
        return document.printer().textWidthIn(style.font(), text) <= width;
    };
    while (style.pointSize > kSmallestNameSize && !fits(name)) {
        --style.pointSize;
    }
    QString text = name;
    while (!text.isEmpty() && !fits(text)) {
        text.chop(1);
    }
    return {style, text};
}

} // namespace

void drawCellFrame(Printer& printer, int pageWidth, int pageHeight, int column, int row) {
    const int cellWidth = pageWidth / 2;
    const int cellHeight = pageHeight / 4;
    printer.rectangle(cellWidth * (column - 1), cellHeight * (row - 1), cellWidth * column,
                      cellHeight * row);
}

void drawAttestation(CanvasDocument& document, int column, int row, int level, const QString& name,
                     const QString& date) {
    const bool ecole = level == kLevelEcole;
    drawText(document, column, row, kBrevet, tr8(report_texts::kAttestationBrevet));
    drawText(
        document, column, row, kLevel,
        tr8(ecole ? report_texts::kAttestationLevelEcole : report_texts::kAttestationLevelCollege));
    drawText(document, column, row, kAttests, tr8(report_texts::kAttestationAttests));
    drawText(document, column, row, kGranted,
             tr8(ecole ? report_texts::kAttestationGrantedEcole
                       : report_texts::kAttestationGrantedCollege));
    drawText(document, column, row, kTitle, tr8(report_texts::kAttestationWord));
    drawText(document, column, row, kPupil, tr8(report_texts::kAttestationPupil));
    drawText(document, column, row, kStamp, tr8(report_texts::kAttestationStamp));
    drawText(document, column, row, kDate, date);
    // Lets the abort button be seen while the pages are drawn.
    document.platform().processEvents();
    const auto [style, text] = fittedName(document, name);
    drawText(document, column, row, style, text);
}

bool printOneAttestation(CanvasDocument& document, QWidget* parent, int level, const QString& name,
                         const QDate& today) {
    const bool ecole = level == kLevelEcole;
    if (!document.start(parent,
                        tr8(ecole ? report_texts::kTitleAttestationEcole
                                  : report_texts::kTitleAttestationCollegeOne),
                        tr8(report_texts::kPanelB2i))) {
        return false;
    }
    if (document.beginPage()) {
        const QString date = printedDate(today);
        for (int column = 1; column <= kAttestationColumns; ++column) {
            drawCellFrame(document.printer(), document.pageWidth(), document.pageHeight(), column,
                          1);
        }
        for (int column = 1; column <= kAttestationColumns; ++column) {
            drawAttestation(document, column, 1, level, name, date);
        }
    }
    document.finish();
    return true;
}

bool printAttestationBatch(CanvasDocument& document, QWidget* parent, int level,
                           const QStringList& lines, const QDate& today) {
    const bool ecole = level == kLevelEcole;
    if (!document.start(
            parent,
            tr8(ecole ? report_texts::kTitleAttestationEcole
                      : report_texts::kTitleAttestationCollegeAll),
            tr8(ecole ? report_texts::kPanelB2i : report_texts::kPanelAttestationsCollege))) {
        return false;
    }
    const QString date = printedDate(today);
    const int pages = pageCount(static_cast<int>(lines.size()), kAttestationsPerPage);
    qsizetype next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (!document.beginPage()) {
            return true;
        }
        for (int column = 1; column <= kAttestationColumns; ++column) {
            for (int row = 1; row <= kAttestationRows; ++row) {
                drawCellFrame(document.printer(), document.pageWidth(), document.pageHeight(),
                              column, row);
            }
        }
        for (int column = 1; column <= kAttestationColumns; ++column) {
            for (int row = 1; row <= kAttestationRows && next < lines.size(); ++row) {
                drawAttestation(document, column, row, level, lineBeforeNumber(lines.at(next++)),
                                date);
            }
        }
    }
    document.finish();
    return true;
}

} // namespace kalidor
