#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

#include "engine/shared_name.h"
#include "engine/xdata.h"

namespace brondel::engine {

// ACI colour as DXF carries it plus an optional true colour.
struct Color {
    static constexpr std::int16_t kByBlock = 0;
    static constexpr std::int16_t kByLayer = 256;
    std::int16_t aci = kByLayer;
    std::int32_t trueColor = -1;  // 0xRRGGBB, -1 when none
    bool operator==(const Color&) const = default;
};

// DXF line weights: hundredths of a millimetre, or one of these.
namespace lineweight {
constexpr std::int16_t kByLayer = -1;
constexpr std::int16_t kByBlock = -2;
constexpr std::int16_t kDefault = -3;
}  // namespace lineweight

struct EntityProps {
    SharedName layer = "0";
    Color color;
    SharedName lineType;  // empty = BYLAYER
    std::int16_t lineWeight = lineweight::kByLayer;
    double lineTypeScale = 1;
    bool operator==(const EntityProps&) const = default;
};

// An entity's properties and extended data, kept once for every entity that
// carries the same (its copies in the undo history, the clipboard and an
// autosave, a file's run of lines on one layer) and never changed while
// shared: a change goes to a copy of its own. Copies may be made and dropped
// on other threads, hence the atomic count.
class SharedAttributes {
  public:
    // The default properties and no extended data: allocates nothing.
    SharedAttributes() noexcept : record_(&defaults()) {}
    explicit SharedAttributes(EntityProps p, XDataPtr data = nullptr);
    SharedAttributes(const SharedAttributes& other) noexcept : record_(other.record_) { retain(); }
    SharedAttributes(SharedAttributes&& other) noexcept
        : record_(std::exchange(other.record_, &defaults())) {}
    SharedAttributes& operator=(const SharedAttributes& other) noexcept {
        SharedAttributes(other).swap(*this);
        return *this;
    }
    SharedAttributes& operator=(SharedAttributes&& other) noexcept {
        SharedAttributes(std::move(other)).swap(*this);
        return *this;
    }
    ~SharedAttributes() { release(); }
    void swap(SharedAttributes& other) noexcept { std::swap(record_, other.record_); }

    const EntityProps& props() const { return record_->props; }
    const XData* xdata() const { return record_->xdata.get(); }
    // The properties to change in place, on a record of this one's own.
    EntityProps& editProps() { return own().props; }
    void setProps(EntityProps p);
    void setXData(XDataPtr data);
    // Whether both refer to one record.
    bool sameRecord(const SharedAttributes& other) const { return record_ == other.record_; }

  private:
    struct Record {
        EntityProps props;
        XDataPtr xdata;
        std::atomic<std::uint32_t> refs{1};
    };
    static Record& defaults() noexcept {
        static Record record;
        return record;
    }

    void retain() const {
        if (record_ != &defaults()) {
            record_->refs.fetch_add(1, std::memory_order_relaxed);
        }
    }
    void release() const;
    Record& own();

    Record* record_;
};

// Hands out one record for a run of equal properties, as a file or a bulk
// operation makes its entities. Extended data is rarely alike from one entity
// to the next, so an entity that carries it gets a record of its own.
class RecentAttributes {
  public:
    SharedAttributes operator()(EntityProps props, XDataPtr xdata = nullptr) {
        if (xdata) {
            return SharedAttributes(std::move(props), std::move(xdata));
        }
        if (!(props == last_.props())) {
            last_ = SharedAttributes(std::move(props));
        }
        return last_;
    }

  private:
    SharedAttributes last_;
};

}  // namespace brondel::engine
