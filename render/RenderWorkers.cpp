#include "render/RenderWorkers.h"

#include <QThreadPool>
#include <exception>
#include <latch>
#include <vector>

QThreadPool& RenderWorkers::Pool() {
    static QThreadPool pool;
    return pool;
}

void RenderWorkers::ForParts(size_t n, size_t parts, const std::function<void(size_t, size_t, size_t)>& work) {
    if (parts > n) parts = n;
    if (parts <= 1) {
        work(0, 0, n);
        return;
    }
    std::vector<std::exception_ptr> errors(parts);
    auto run = [&](size_t p) {
        try {
            work(p, n * p / parts, n * (p + 1) / parts);
        } catch (...) {
            errors[p] = std::current_exception();
        }
    };
    QThreadPool& pool = Pool();
    if (pool.maxThreadCount() < int(parts - 1)) pool.setMaxThreadCount(int(parts - 1));
    std::latch done(std::ptrdiff_t(parts - 1));
    for (size_t p = 1; p < parts; ++p)
        pool.start([&run, &done, p] {
            run(p);
            done.count_down();
        });
    run(0);
    done.wait();
    for (const auto& e : errors)
        if (e) std::rethrow_exception(e);
}
