#include "commands/pupil_folder.h"

#include "commands/command_texts.h"
#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "records/file_steps.h"
#include "records/io_error.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/record_texts.h"
#include "records/report_lines.h"
#include "records/utf8.h"

#include <QDir>
#include <QRegularExpression>

namespace kalidor {

namespace {

QString cancelledMessage(int created) {
    return tr8(created > 1 ? record_texts::kCancelledAfterMany : record_texts::kCancelledAfterOne)
        .arg(created);
}

// The pupils a class file names, counted ahead for the progress, up to the most one import
// creates.
int countClassPupils(const QString& fileName) {
    ClassFileReader reader(fileName);
    int count = 0;
    while (count < kMaxRecordNumber) {
        const std::optional<QString> line = reader.nextLine();
        if (!line) {
            break;
        }
        count += namesNobody(*line) ? 0 : 1;
    }
    return count;
}

bool isLeftover(const QString& name) {
    static const QRegularExpression leftover(
        QStringLiteral("^\\..+\\.b2i(%1[A-Za-z0-9]{6}|%2)$")
            .arg(QRegularExpression::escape(QLatin1String(file_steps::kTemporaryMark)),
                 QRegularExpression::escape(QLatin1String(file_steps::kClaimMark))));
    return leftover.match(name).hasMatch();
}

} // namespace

template <typename Run>
BatchResult PupilFolder::runBatch(int total, const BatchControl& control, Run run) {
    BatchResult result;
    bool stopped = false;
    const PupilBatch batch(
        [&](const ListEntry& entry) {
            ++result.created;
            if (control.added) {
                control.added(entry);
            }
            if (control.progress) {
                control.progress(result.created, total);
            }
        },
        [&] {
            stopped = control.stopAsked && control.stopAsked();
            return stopped;
        });
    run(batch);
    if (stopped) {
        result.cancelled = true;
        result.messages.append(cancelledMessage(result.created));
    }
    return result;
}

ViewResult PupilFolder::open(const ReadingProgress& progress) {
    removeStaleRecordLeftovers(state_.prefix);
    return view(ListView::AllByName, progress);
}

ViewResult PupilFolder::view(ListView view, const ReadingProgress& progress) {
    return buildView(state_, view, progress);
}

LinePupil PupilFolder::loadLinePupil(const ListEntry& line, UserAnswers& user) {
    if (!isRecordNumber(line.number)) {
        return LinePupil::Unreadable;
    }
    state_.currentFileName = recordFileName(state_, line.number);
    const PupilFileNow now = pupilFileNow(state_.currentFileName, line);
    if (now.state == FileNow::OtherPupil) {
        user.tell(tr8(command_texts::kOtherPupilOnLine)
                      .arg(line.line, line.number, pupilName(*now.record)));
        return LinePupil::Other;
    }
    if (!now.record) {
        return LinePupil::Unreadable;
    }
    state_.current = *now.record;
    return LinePupil::Loaded;
}

ListEntry PupilFolder::addPupil(const TFiche& record) {
    TFiche fresh = blankRecord();
    fresh.setNom(record.nom());
    fresh.setPrenom(record.prenom());
    fresh.setDateNais(record.dateNais());
    fresh.setClasse(record.classe());
    const NewPupil pupil = createRecordFile(state_, fresh);
    return recordEntry(pupil.record, pupil.number, state_.sortByName);
}

bool PupilFolder::deletePupil(const ListEntry& line, UserAnswers& user) {
    if (!isRecordNumber(line.number)) {
        return false;
    }
    const QString fileName = recordFileName(state_, line.number);
    QString question = tr8(command_texts::kConfirmationEffacement).arg(line.line);
    const PupilFileNow now = pupilFileNow(fileName, line);
    if (now.state == FileNow::OtherPupil) {
        question += QLatin1String("\n\n") +
                    tr8(command_texts::kDeleteOtherPupil).arg(line.number, pupilName(*now.record));
    } else if (now.state != FileNow::Unchanged) {
        question += QLatin1String("\n\n") + tr8(command_texts::kChangedSinceListed);
    }
    if (!user.ask(question)) {
        return false;
    }
    state_.currentFileName = fileName;
    deleteRecordFile(fileName);
    return true;
}

std::optional<QStringList> PupilFolder::validateAll(const ListEntry& line, UserAnswers& user) {
    if (loadLinePupil(line, user) != LinePupil::Loaded) {
        return std::nullopt;
    }
    const TFiche read = state_.current;
    TFiche validated = read;
    kalidor::validateAll(validated);
    // Another machine may have saved, deleted or replaced the pupil since it was read.
    const PupilFileNow now = pupilFileNow(state_.currentFileName, read);
    const QString name = pupilName(read);
    switch (now.state) {
    case FileNow::Unchanged:
        break;
    case FileNow::Changed:
    case FileNow::Unreadable:
        if (!user.ask(tr8(command_texts::kValidateOverOtherSave).arg(name))) {
            return std::nullopt;
        }
        break;
    case FileNow::Deleted:
        user.tell(tr8(command_texts::kValidateDeletedElsewhere).arg(name));
        return std::nullopt;
    case FileNow::OtherPupil:
        user.tell(tr8(command_texts::kOtherPupilOnLine)
                      .arg(line.line, line.number, pupilName(*now.record)));
        return std::nullopt;
    }
    writeRecordFile(state_.currentFileName, validated);
    // The report says "Validée" only once the record holds it.
    state_.current = validated;
    return validateAllLines(validated);
}

BatchResult PupilFolder::createSamples(SampleSet set, const BatchControl& control) {
    return runBatch(sampleCount(set), control,
                    [&](const PupilBatch& batch) { createSamplePupils(state_, set, batch); });
}

BatchResult PupilFolder::importClass(const QString& fileName, const BatchControl& control) {
    ClassFileReader reader(fileName);
    if (!reader.isOpen()) {
        return {0, false, {tr8(exchange_texts::kOpenFailed)}};
    }
    if (!reader.isText()) {
        return {0, false, {notTextMessage(fileName)}};
    }
    const int total = control.progress ? countClassPupils(fileName) : 0;
    BatchResult result = runBatch(total, control, [&](const PupilBatch& batch) {
        kalidor::importClass(state_, classFromFileName(fileName), reader, batch);
    });
    if (!reader.isText()) {
        result.messages.prepend(notTextFurtherMessage(fileName, result.created));
    }
    return result;
}

BatchResult PupilFolder::importTransfer(const QString& transferFileName,
                                        const QList<ListEntry>& lines, UserAnswers& user,
                                        const BatchControl& control) {
    TransferImport progress;
    const auto tellOpenFailures = [&] {
        if (progress.openFailures > 0) {
            user.tell(tr8(exchange_texts::kOpenFailed));
        }
    };
    BatchResult result;
    try {
        result = runBatch(static_cast<int>(lines.size()), control, [&](const PupilBatch& batch) {
            importTransferRecords(state_, transferFileName, lines, progress, batch);
        });
    } catch (const IoError&) {
        // Told before the failure that stopped the import, as they came before it.
        tellOpenFailures();
        throw;
    }
    tellOpenFailures();
    return result;
}

QString PupilFolder::writeTransfer(const QString& fileName, const QList<ListEntry>& pupils,
                                   const ReadingProgress& progress) {
    const TransferWriteResult result = writeTransferFile(state_, fileName, pupils, progress);
    if (result.cancelled) {
        return tr8(exchange_texts::kTransferCancelled);
    }
    if (!result.created) {
        return tr8(exchange_texts::kCreateFailed);
    }
    return transferCreatedMessage(fileName, result);
}

PupilFolder::TransferListingResult PupilFolder::listTransfer(const QString& fileName) {
    TransferListingResult listed;
    const TransferListing listing = listTransferFile(
        fileName, [&listed](const ListEntry& entry) { listed.entries.append(entry); });
    listed.opened = listing.opened;
    if (!listing.opened) {
        listed.messages.append(tr8(exchange_texts::kOpenFailed));
    }
    if (listing.damaged) {
        listed.messages.append(tr8(exchange_texts::kDamagedTransferFile).arg(fileName));
    }
    if (listing.capped) {
        listed.messages.append(tr8(exchange_texts::kTransferListCapped));
    }
    return listed;
}

QStringList PupilFolder::check() const {
    QStringList found;
    const auto say = [&found](const QString& name, const QString& why) {
        found.append(tr8(command_texts::kCheckLine).arg(name, why));
    };
    for (const RecordFailure& failure :
         enumerateRecords(state_.prefix, [&](const QString&number, const TFiche&) {
             if (!isRecordNumber(number)) {
                 say(number + QLatin1String(kRecordExtension), tr8(command_texts::kCheckCopy));
             }
         })) {
        say(failure.entryName, failure.message);
    }
    const QDir folder(state_.prefix);
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (isLeftover(name)) {
            say(name, tr8(command_texts::kCheckLeftover));
        }
    }
    found.sort();
    return found;
}

} // namespace kalidor
