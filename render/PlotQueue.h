#pragma once
// Draws the lines and areas of a map unit's phase, in their order, on a
// thread of its own, so that the thread that walks the figures (and takes
// their conversions) does not also make the drawing calls. Only this thread
// touches the drawing between Push and the next Finish.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class clsMapGraph;
struct PolyPoint;

class PlotQueue {
public:
    // One canvas list of a figure and its look, as the figure classes draw it.
    struct Item {
        // Borrowed until `drawn` passes the figure; null for no list.
        const PolyPoint* points = nullptr;
        int32_t count = 0;
        int32_t fore = 0;
        int32_t back = -1;
        int32_t width = 0; // lines only
        int16_t style = 0;
        bool ring = false;
        size_t figure = 0; // told to `drawn` once drawn
    };
    // Draws on `graph`; `drawn(k)`: the items of figures before k are drawn
    // (their lists may go).
    PlotQueue(clsMapGraph* graph, std::function<void(size_t)> drawn);
    ~PlotQueue();
    PlotQueue(const PlotQueue&) = delete;
    PlotQueue& operator=(const PlotQueue&) = delete;

    void Push(Item item);
    // Draws one item on this thread, as the queue's own thread does.
    static void Draw(clsMapGraph* graph, const Item& item);
    // Returns when everything pushed is drawn; an error of the drawing is
    // raised here (and what followed it is not drawn).
    void Finish();

private:
    void HandOver();
    void Run();

    clsMapGraph* const graph_;
    const std::function<void(size_t)> drawn_;
    std::vector<Item> filling_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_, room_;
    std::vector<std::vector<Item>> queue_;
    // Emptied batches, kept with their room for the next ones.
    std::vector<std::vector<Item>> spare_;
    bool busy_ = false;
    bool quit_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};
