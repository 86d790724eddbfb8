#pragma once
// One notice for "the schedule changed": whoever changes customers, jobs,
// tasks, resources or the calendars raises it once with what changed, and the
// pages that show those tables refresh themselves. The raiser names no page.
//
//   data::ScheduleNotice& changes = session.Changes;
//   auto heard = changes.Subscribe(data::NoticeStage::Chart, [&](data::ScheduleChanges c) {
//       if (c.Has(data::ScheduleChange::Tasks))
//           page.BuildChart(false);
//   });
//   changes.Raise(data::ScheduleChange::Customers | data::ScheduleChange::Jobs);
//
// Listeners hear a notice by stage, whatever the order they subscribed in: the
// views of customers, jobs and tasks first, then the calendars, the chart
// last, so that the chart is built on the query just applied.

#include <cstdint>
#include <functional>
#include <vector>

namespace tw::data {

enum class ScheduleChange : std::uint8_t {
    Customers = 1u << 0,
    Jobs = 1u << 1,
    Tasks = 1u << 2,
    Resources = 1u << 3,
    Calendar = 1u << 4,
};

class ScheduleChanges {
public:
    constexpr ScheduleChanges() = default;
    constexpr ScheduleChanges(ScheduleChange change) : bits_(static_cast<std::uint8_t>(change)) {}

    constexpr bool Has(ScheduleChange change) const
    {
        return (bits_ & static_cast<std::uint8_t>(change)) != 0;
    }
    constexpr bool Any() const { return bits_ != 0; }
    constexpr ScheduleChanges operator|(ScheduleChanges other) const { return FromBits(bits_ | other.bits_); }
    constexpr bool operator==(const ScheduleChanges&) const = default;

private:
    static constexpr ScheduleChanges FromBits(unsigned bits)
    {
        ScheduleChanges changes;
        changes.bits_ = static_cast<std::uint8_t>(bits);
        return changes;
    }
    std::uint8_t bits_ = 0;
};

constexpr ScheduleChanges operator|(ScheduleChange a, ScheduleChange b)
{
    return ScheduleChanges(a) | ScheduleChanges(b);
}

enum class NoticeStage : std::uint8_t { Views, Calendar, Chart };

class ScheduleNotice {
public:
    using Listener = std::function<void(ScheduleChanges)>;

    // Ends the listening when it goes.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription();

    private:
        friend class ScheduleNotice;
        Subscription(ScheduleNotice* notice, int id) : notice_(notice), id_(id) {}
        ScheduleNotice* notice_ = nullptr;
        int id_ = 0;
    };

    ScheduleNotice() = default;
    ScheduleNotice(const ScheduleNotice&) = delete;
    ScheduleNotice& operator=(const ScheduleNotice&) = delete;

    [[nodiscard]] Subscription Subscribe(NoticeStage stage, Listener listener);
    // Every listener once, stage by stage; nothing when nothing changed.
    void Raise(ScheduleChanges changes);

private:
    struct Entry {
        int Id;
        NoticeStage Stage;
        Listener Heard;
    };
    void Unsubscribe(int id);

    std::vector<Entry> listeners_;
    int nextId_ = 1;
};

}  // namespace tw::data
