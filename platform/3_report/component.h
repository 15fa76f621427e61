// The base of everything a loaded report holds by name: datasets, bands and printable
// items. Handlers find them with Report::FindComponent and cast to the kind they expect.
// Not here: the kinds themselves (dataset.h, band.h, item.h).
#pragma once

#include <string>

namespace report {

class Component {
public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

}  // namespace report
