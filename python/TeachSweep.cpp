#include "TeachSweep.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "InterpreterRelease.h"
#include "TeachRows.h"
#include "tools/TeachingRun.h"

namespace py = pybind11;

namespace varkelon {

namespace {

// How long the calling thread waits between looks for Ctrl-C.
constexpr std::chrono::milliseconds kLook{50};

// What the threads share: the next run to take, how many are done, and the
// stop every thread obeys.
struct SweepState {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;  // guards the three below
    std::condition_variable changed;
    std::size_t done = 0;
    std::size_t threadsLeft = 0;
    std::exception_ptr error;
};

}  // namespace

TeachSweep::TeachSweep(std::vector<TeachPlan> plans, std::int64_t workers)
    : plans_(std::move(plans)), workers_(workers) {}

py::list TeachSweep::run(const py::object& progress) {
    const std::size_t total = plans_.size();
    std::int64_t rowCount = 0;
    for (const TeachPlan& plan : plans_)
        rowCount += plan.cycles + 1;
    TeachRows::checkFits(rowCount, static_cast<std::int64_t>(total), "teach_many");
    std::vector<std::unique_ptr<TeachRows>> rows;
    rows.reserve(total);
    for (const TeachPlan& plan : plans_)
        rows.push_back(std::make_unique<TeachRows>(plan.cycles + 1));

    SweepState state;
    auto work = [this, &rows, &state, total] {
        for (;;) {
            const std::size_t index = state.next.fetch_add(1);
            if (index >= total || state.stop.load())
                break;
            bool finished = false;
            try {
                const TeachPlan& plan = plans_[index];
                TeachingRun run(plan.clock, plan.regime, plan.switches, plan.neurons);
                run.reset();
                rows[index]->put(0, run.row());
                finished = rows[index]->fillUnlocked(run, plan.cycles, 1, state.stop);
            } catch (...) {
                std::lock_guard lock(state.mutex);
                if (!state.error)
                    state.error = std::current_exception();
                state.stop.store(true);
            }
            if (!finished)
                break;
            std::lock_guard lock(state.mutex);
            ++state.done;
            state.changed.notify_one();
        }
        std::lock_guard lock(state.mutex);
        --state.threadsLeft;
        state.changed.notify_one();
    };

    const auto threadCount = static_cast<std::size_t>(
        std::min<std::int64_t>(workers_, static_cast<std::int64_t>(total)));
    std::vector<std::jthread> threads;
    state.threadsLeft = threadCount;
    // However this function is left, no thread outlives it.
    struct StopAndJoin {
        SweepState& state;
        std::vector<std::jthread>& threads;
        ~StopAndJoin() {
            state.stop.store(true);
            for (std::jthread& thread : threads) {
                if (thread.joinable())
                    thread.join();
            }
        }
    } stopAndJoin{state, threads};
    threads.reserve(threadCount);
    for (std::size_t t = 0; t < threadCount; ++t)
        threads.emplace_back(work);

    std::size_t reported = 0;
    for (;;) {
        std::size_t done = 0;
        bool over = false;
        {
            InterpreterRelease release;
            std::unique_lock lock(state.mutex);
            state.changed.wait_for(
                lock, kLook, [&] { return state.done != reported || state.threadsLeft == 0; });
            done = state.done;
            over = state.threadsLeft == 0;
        }
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (!progress.is_none() && done != reported)
            progress(done, total);
        reported = done;
        if (over)
            break;
    }
    {
        InterpreterRelease release;
        for (std::jthread& thread : threads)
            thread.join();
    }
    if (state.error)
        std::rethrow_exception(state.error);

    py::list result;
    for (const auto& each : rows)
        result.append(each->columns());
    return result;
}

}  // namespace varkelon
