// A page opener that records the addresses it was asked for and works or fails as told.
#pragma once

#include <string>
#include <vector>

#include "ui/info/home_page.h"

namespace orb::test {

class FakeOpener : public PageOpener {
  public:
    bool works = true;               // what Open reports
    std::vector<std::string> opened; // every address asked for, in order
    bool Open(const std::string& url) override {
        opened.push_back(url);
        return works;
    }
};

} // namespace orb::test
