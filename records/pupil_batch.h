#pragma once
// What a command that adds many pupils (a class import, a transfer import, the sample pupils)
// hands on as it goes, and how it is told to stop.

#include "records/list_lines.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace kalidor {

struct PupilBatch {
    PupilBatch() = default;
    PupilBatch(std::function<void(const ListEntry&)> onAdded, std::function<bool()> onStopAsked)
        : added(std::move(onAdded)), stopAsked(std::move(onStopAsked)) {}
    // Implicit, so that a plain function taking each new pupil's entry is a batch that runs to
    // its end.
    template <typename Added,
              typename = std::enable_if_t<std::is_invocable_v<Added, const ListEntry&>>>
    PupilBatch(Added onAdded) : added(std::move(onAdded)) {}

    // Receives the main list's entry of each new record file, in the sort flag's format, as
    // soon as the file exists: a batch stopped by a failure has listed what it created.
    std::function<void(const ListEntry&)> added;
    // Asked between two pupils: true stops the batch there, keeping the pupils created.
    std::function<bool()> stopAsked;

    void add(const ListEntry& entry) const {
        if (added) {
            added(entry);
        }
    }
    bool stopped() const { return stopAsked && stopAsked(); }
};

} // namespace kalidor
