#pragma once
// One program folder and the commands on it, without a window: what the windows and the command
// line call. A command returns what it did (the entries to list, with their numbers; the French
// messages to show; how many pupils it created) or throws IoError, which the window shows in the
// standard error box; a decision it needs is asked through UserAnswers. The current record of
// the shared state stays the one pupil a command on a list line works on.

#include "commands/user_answers.h"
#include "exchange/transfer_file.h"
#include "records/list_views.h"
#include "records/pupil_batch.h"
#include "records/pupil_identity.h"
#include "records/sample_pupils.h"
#include "records/shared_state.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kalidor {

class DirectoryPreview;

// How a long command reports where it is and is told to stop, between two pupils.
struct BatchControl {
    std::function<void(const ListEntry&)> added; // each pupil created, as soon as it exists
    std::function<void(int done, int total)> progress;
    std::function<bool()> stopAsked;
    // Each listed pupil whose line changes (a class change), once saved.
    std::function<void(const ListEntry&)> changed;
};

// The end of a command that adds pupils.
struct BatchResult {
    int created = 0;
    bool cancelled = false; // the user stopped it
    QStringList messages;   // to show once it ended, in order
};

// What a list line's command found in the line's file.
enum class LinePupil {
    Loaded,     // the line's pupil, now the current record
    Unreadable, // no file, one that cannot be read, or a copy's line: passed over without a word
    Other,      // another pupil under the number: the user was told, nothing is done
};

class PupilFolder {
public:
    explicit PupilFolder(SharedState& state) : state_(state) {}

    SharedState& state() { return state_; }

    // Opening the program on the folder: what killed writers left is removed, then every pupil
    // is listed by name.
    ViewResult open(const ReadingProgress& progress = {});
    // One of the six views; sets the count line, and the sort flag for the views that do.
    ViewResult view(ListView view, const ReadingProgress& progress = {});

    // Makes the line's pupil the current record, after checking that the line's number still
    // holds the pupil it showed.
    LinePupil loadLinePupil(const ListEntry& line, UserAnswers& user);

    // A new pupil with the identity of `record` (everything else blank) under the first free
    // number; its entry in the sort flag's format. Throws IoError.
    ListEntry addPupil(const TFiche& record);
    // Deletes the line's pupil once the user said Oui to the confirmation, which says when the
    // file changed since it was listed and names the pupil the file now holds when it is another
    // one. True when the file is gone. Throws IoError, leaving the file. A copy's line deletes
    // nothing and asks nothing.
    bool deletePupil(const ListEntry& line, UserAnswers& user);
    // Validates every competence of the line's pupil and saves it; the report lines once it is
    // saved, nothing when nothing was done. Throws IoError.
    std::optional<QStringList> validateAll(const ListEntry& line, UserAnswers& user);

    // The batches. Each throws IoError when a write fails or the numbers run out, its message
    // ending with how many pupils were created; those stay.
    BatchResult createSamples(SampleSet set, const BatchControl& control = {});
    BatchResult importClass(const QString& fileName, const BatchControl& control = {});
    // Lines whose transfer file cannot be opened are told once, before a failure that stops the
    // import too.
    BatchResult importTransfer(const QString& transferFileName, const QList<ListEntry>& lines,
                               UserAnswers& user, const BatchControl& control = {});

    // Imports the school directory's export as previewed: the class changes, then the new
    // pupils. The summary is the last message; a pupil changed by another machine since the
    // preview read it is left as it is and named there. Throws IoError, as the batches above.
    BatchResult importDirectory(const DirectoryPreview& preview, const BatchControl& control = {});

    // Writes a transfer file of the listed pupils; the message to show. Throws IoError.
    QString writeTransfer(const QString& fileName, const QList<ListEntry>& pupils,
                          const ReadingProgress& progress = {});
    // The records of a transfer file as lines numbered with their positions, and the messages
    // about the file (cannot be opened, damaged, too long). Throws IoError.
    struct TransferListingResult {
        bool opened = false;
        QList<ListEntry> entries;
        QStringList messages;
    };
    TransferListingResult listTransfer(const QString& fileName);

    // What the folder holds that is not a readable pupil: damaged or short files, entries that
    // are not regular files, what killed writers left, copies no command acts on. One line each,
    // "name : why", in name order; nothing is changed.
    QStringList check() const;

private:
    // Runs a batch with the control's callbacks; `total` pupils at most (0: unknown).
    template <typename Run> BatchResult runBatch(int total, const BatchControl& control, Run run);

    SharedState& state_;
};

} // namespace kalidor
