// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

// The Qt Test classes of the ui library, one per file, each registered under its name by its
// file; main() runs them by name.
namespace ui::test {

using Suites = std::map<std::string, std::function<std::unique_ptr<QObject>()>>;
Suites& suites();

template <class Suite> bool registerSuite(const char* name) {
    return suites().emplace(name, [] { return std::make_unique<Suite>(); }).second;
}

} // namespace ui::test
