#include "reports/pupil_list_printing.h"

#include "records/report_lines.h"
#include "records/report_texts.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

// Positions in layout units.
constexpr QPoint kHeader(40, 2);
constexpr QPoint kDate(3, 2);
constexpr QPoint kRule(1, 4); // to the right edge
constexpr QPoint kTitle(15, 3);
constexpr QPoint kPageNumber(3, 3);
constexpr QPoint kFirstLine(15, 6); // one unit down for each next line

// A position in layout units on the page.
QPoint onPage(const CanvasDocument& document, QPoint units) {
    return {units.x() * document.unitX(), units.y() * document.unitY()};
}

void drawPageHeader(CanvasDocument& document, const QString& title, const QString& date, int page,
                    int pages) {
    Printer& printer = document.printer();
    const auto textAt = [&](QPoint units, const QString& text) {
        const QPoint at = onPage(document, units);
        printer.textOut(at.x(), at.y(), text);
    };
    textAt(kHeader, tr8(report_texts::kListHeader));
    textAt(kDate, date);
    const QPoint rule = onPage(document, kRule);
    printer.moveTo(rule.x(), rule.y());
    printer.lineTo(document.pageWidth(), rule.y());
    textAt(kTitle, title);
    textAt(kPageNumber, tr8(report_texts::kListPageNumber).arg(page).arg(pages));
}

} // namespace

bool printPupilList(CanvasDocument& document, QWidget* parent, const QStringList& lines,
                    const QString& title, const QDate& today) {
    const int pages = pageCount(static_cast<int>(lines.size()), kListLinesPerPage);
    if (pages == 0) {
        return false;
    }
    if (!document.start(parent, tr8(report_texts::kTitleList), tr8(report_texts::kPanelB2i))) {
        return false;
    }
    const QString date = printedDate(today);
    qsizetype next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (!document.beginPage()) {
            return true;
        }
        drawPageHeader(document, title, date, page, pages);
        for (int k = 0; k < kListLinesPerPage && next < lines.size(); ++k) {
            const QPoint at = onPage(document, kFirstLine + QPoint(0, k));
            document.printer().textOut(at.x(), at.y(), lines.at(next++));
            document.platform().processEvents();
        }
    }
    document.finish();
    return true;
}

} // namespace kalidor
