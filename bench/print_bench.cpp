// Printing 999 pupils into PDF files: the certificates (125 pages) and the list (15 pages),
// through the program's printing layer and, as the baseline, the same drawing calls made
// directly on a QPrinter in the same run.

#include "platform/qt_platform.h"
#include "records/list_views.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "records/utf8.h"
#include "reports/attestations.h"
#include "reports/pupil_list_printing.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kalidor;

// The Qt printer with its dialog answered: every document goes to one PDF file.
class PdfFilePrinter : public QtPrinter {
public:
    explicit PdfFilePrinter(const QString& file) { printToPdf(file); }
    bool executePrintDialog(QWidget*) override { return true; }
};

struct Data {
    QTemporaryDir dir;
    QStringList lines; // the list of the 999 pupils holding niveau école
    QString pdf() const { return dir.path() + QStringLiteral("/out.pdf"); }
};

Data& data() {
    static Data* made = [] {
        auto* d = new Data;
        // KALIDOR_BENCH_KEEP=1 keeps the folder and the last PDF, to look at the pages.
        if (qEnvironmentVariableIsSet("KALIDOR_BENCH_KEEP")) {
            d->dir.setAutoRemove(false);
            qInfo("%s", qPrintable(d->pdf()));
        }
        SharedState state;
        state.prefix = d->dir.path() + QLatin1Char('/');
        for (int n = 1; n <= kMaxRecordNumber; ++n) {
            initNewRecord(state.current);
            state.current.setNom(QStringLiteral("ELEVE%1").arg(n, 3, 10, QLatin1Char('0')));
            state.current.setPrenom(QString::fromUtf8("Prénom"));
            state.current.setClasse(QStringLiteral("CM%1").arg(n % 2 + 1));
            for (int slot = 1; slot <= slotCount(kLevelEcole); ++slot) {
                state.current.setValide(slot, true);
            }
            saveRecord(state, recordFileName(state, QString::number(n)));
        }
        d->lines = linesOf(buildView(state, ListView::WithEcole).entries);
        return d;
    }();
    return *made;
}

// The program's own printing of the 999 lines into a PDF, by `print(document, lines)`, with
// the pages a document of `perPage` lines a page has.
template <typename Print>
void printWithTheProgram(benchmark::State& st, int perPage, const Print& print) {
    Data& d = data();
    QtPlatform platform;
    TF_annule annule;
    for (auto _ : st) {
        PdfFilePrinter printer(d.pdf());
        CanvasDocument document(printer, platform, annule);
        print(document, d.lines);
    }
    st.counters["pages"] = pageCount(static_cast<int>(d.lines.size()), perPage);
}

void BM_AttestationsProgram(benchmark::State& st) {
    printWithTheProgram(
        st, kAttestationsPerPage, [](CanvasDocument& document, const QStringList& lines) {
            printAttestationBatch(document, nullptr, kLevelEcole, lines, QDate::currentDate());
        });
}

// The same frames and texts, drawn straight on a QPainter.
void BM_AttestationsDirectQPrinter(benchmark::State& st) {
    Data& d = data();
    struct Text {
        const char* family;
        int size;
        int units;
        double divisor;
        QString text;
    };
    const QString date = printedDate(QDate::currentDate());
    const QList<Text> texts{
        {"Times New Roman", 20, 1, 80, QStringLiteral("B2i Brevet Informatique Internet")},
        {"Times New Roman", 16, 1, 20, QString::fromUtf8("école")},
        {"Times New Roman", 10, 1, 10.5,
         QString::fromUtf8("Le brevet informatique et internet attestant les compétences")},
        {"Times New Roman", 10, 1, 9, QString::fromUtf8("de niveau école est délivré à")},
        {"Arial", 12, 15, 14, QStringLiteral("ATTESTATION")},
        {"Arial", 7, 1, 6, QString::fromUtf8("L'élève")},
        {"Arial", 7, 26, 6, QStringLiteral("Cachet Etablissement")},
        {"Arial", 9, 26, 20, date},
    };
    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(d.pdf());
        printer.setPageOrientation(QPageLayout::Portrait);
        QPainter painter(&printer);
        const int pw = printer.width();
        const int ph = printer.height();
        const int ux = pw / 85;
        const auto draw = [&](const char* family, int size, int x, int y, const QString& text) {
            painter.setFont(QFont(QLatin1String(family), size));
            painter.setPen(Qt::black);
            painter.drawText(x, y + painter.fontMetrics().ascent(), text);
        };
        qsizetype next = 0;
        const int pages = pageCount(static_cast<int>(d.lines.size()), 8);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) {
                printer.newPage();
            }
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::white);
            for (int column = 1; column <= 2; ++column) {
                for (int row = 1; row <= 4; ++row) {
                    painter.drawRect((pw / 2) * (column - 1), (ph / 4) * (row - 1), pw / 2 - 1,
                                     ph / 4 - 1);
                }
            }
            for (int column = 1; column <= 2; ++column) {
                for (int row = 1; row <= 4 && next < d.lines.size(); ++row) {
                    const int left = (pw * (column - 1)) / 2;
                    const double top = (ph / 4.0) * (row - 1);
                    for (const Text& t : texts) {
                        draw(t.family, t.size, left + t.units * ux,
                             static_cast<int>(top + ph / t.divisor), t.text);
                    }
                    draw("Arial", 10, left + 4 * ux, static_cast<int>(top + ph / 7.5),
                         lineBeforeNumber(d.lines.at(next++)));
                }
            }
        }
        painter.end();
    }
}

void BM_ListProgram(benchmark::State& st) {
    printWithTheProgram(st, kListLinesPerPage,
                        [](CanvasDocument& document, const QStringList& lines) {
                            printPupilList(document, nullptr, lines,
                                           tr8(viewDescription(ListView::AllByName).printedTitle),
                                           QDate::currentDate());
                        });
}

void BM_ListDirectQPrinter(benchmark::State& st) {
    Data& d = data();
    const QString header = QString::fromUtf8("B2i Brevet informatique et internet (compétences)");
    const QString title = tr8(viewDescription(ListView::AllByName).printedTitle);
    const QString date = printedDate(QDate::currentDate());
    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(d.pdf());
        printer.setPageOrientation(QPageLayout::Portrait);
        QPainter painter(&printer);
        painter.setFont(QFont(QStringLiteral("Arial"), 9));
        const int ascent = painter.fontMetrics().ascent();
        const int ux = printer.width() / 85;
        const int uy = printer.height() / 85;
        const int pages = pageCount(static_cast<int>(d.lines.size()), 70);
        qsizetype next = 0;
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) {
                printer.newPage();
            }
            painter.setPen(Qt::black);
            painter.drawText(40 * ux, 2 * uy + ascent, header);
            painter.drawText(3 * ux, 2 * uy + ascent, date);
            painter.setPen(QPen(Qt::black, 0));
            painter.drawLine(ux, 4 * uy, printer.width(), 4 * uy);
            painter.setPen(Qt::black);
            painter.drawText(15 * ux, 3 * uy + ascent, title);
            painter.drawText(3 * ux, 3 * uy + ascent,
                             QString::number(page) + QLatin1Char('/') + QString::number(pages));
            for (int k = 0; k < 70 && next < d.lines.size(); ++k) {
                painter.drawText(15 * ux, (k + 6) * uy + ascent, d.lines.at(next++));
            }
        }
        painter.end();
    }
}

BENCHMARK(BM_AttestationsDirectQPrinter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AttestationsProgram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListDirectQPrinter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListProgram)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
