#pragma once
// The drawing's own pool of threads, so that waiting for its work never
// waits for unrelated work queued elsewhere.
#include <cstddef>
#include <functional>

class QThreadPool;

class RenderWorkers {
public:
    static QThreadPool& Pool();
    // Runs work(part, begin, end) over `parts` consecutive slices of [0, n),
    // the first on this thread, and returns when all are done; the first
    // part's error that occurred is raised then.
    static void ForParts(size_t n, size_t parts, const std::function<void(size_t, size_t, size_t)>& work);
};
