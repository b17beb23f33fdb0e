#include "engine/entity_attributes.h"

namespace brondel::engine {

SharedAttributes::SharedAttributes(EntityProps p, XDataPtr data) : record_(&defaults()) {
    if (data || !(p == defaults().props)) {
        record_ = new Record{std::move(p), std::move(data)};
    }
}

void SharedAttributes::release() const {
    if (record_ != &defaults() && record_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete record_;
    }
}

SharedAttributes::Record& SharedAttributes::own() {
    if (record_ == &defaults() || record_->refs.load(std::memory_order_acquire) != 1) {
        Record* copy = new Record{record_->props, record_->xdata};
        release();
        record_ = copy;
    }
    return *record_;
}

void SharedAttributes::setProps(EntityProps p) {
    if (!(p == record_->props)) {
        own().props = std::move(p);
    }
}

void SharedAttributes::setXData(XDataPtr data) {
    if (data || record_->xdata) {
        own().xdata = std::move(data);
    }
}

}  // namespace brondel::engine
