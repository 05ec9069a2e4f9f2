#pragma once

#include <QString>

#include <functional>

namespace arvo {

/// Progress of a long run: `done` of `total` steps (total 0 when unknown) and a status text.
/// Screens tie it to their gauge and let pending events through; the command-line tool prints
/// it. May be empty.
using Progress = std::function<void(qint64 done, qint64 total, const QString& status)>;

inline void reportProgress(const Progress& progress, qint64 done, qint64 total, const QString& status)
{
    if (progress)
        progress(done, total, status);
}

} // namespace arvo
