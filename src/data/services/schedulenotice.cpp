#include "data/services/schedulenotice.h"

#include <algorithm>
#include <utility>

namespace tw::data {

ScheduleNotice::Subscription::Subscription(Subscription&& other) noexcept
    : notice_(std::exchange(other.notice_, nullptr)),
      id_(other.id_)
{}

ScheduleNotice::Subscription& ScheduleNotice::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        if (notice_)
            notice_->Unsubscribe(id_);
        notice_ = std::exchange(other.notice_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

ScheduleNotice::Subscription::~Subscription()
{
    if (notice_)
        notice_->Unsubscribe(id_);
}

ScheduleNotice::Subscription ScheduleNotice::Subscribe(NoticeStage stage, Listener listener)
{
    const int id = nextId_++;
    // Kept in stage order, each stage in the order of subscribing.
    const auto after = std::upper_bound(listeners_.begin(), listeners_.end(), stage,
                                        [](NoticeStage s, const Entry& e) { return s < e.Stage; });
    listeners_.insert(after, Entry{id, stage, std::move(listener)});
    return Subscription(this, id);
}

void ScheduleNotice::Raise(ScheduleChanges changes)
{
    if (!changes.Any())
        return;
    // A listener may end its own or another's listening meanwhile.
    std::vector<int> ids;
    ids.reserve(listeners_.size());
    for (const Entry& e : listeners_)
        ids.push_back(e.Id);
    for (const int id : ids) {
        const auto found =
            std::find_if(listeners_.begin(), listeners_.end(), [id](const Entry& e) { return e.Id == id; });
        if (found != listeners_.end()) {
            const Listener heard = found->Heard;
            heard(changes);
        }
    }
}

void ScheduleNotice::Unsubscribe(int id)
{
    std::erase_if(listeners_, [id](const Entry& e) { return e.Id == id; });
}

}  // namespace tw::data
