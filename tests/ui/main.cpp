// SPDX-License-Identifier: MIT
#include "suites.h"

#include <QApplication>
#include <QTest>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

ui::test::Suites& ui::test::suites() {
    static Suites all;
    return all;
}

// ui_tests <Suite> [Qt Test options]: runs one suite; without a suite name, runs them all.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const ui::test::Suites& suites = ui::test::suites();
    std::vector<char*> arguments(argv, argv + argc);
    std::vector<std::string> chosen;
    if (arguments.size() > 1 && suites.count(arguments[1]) != 0) {
        chosen.emplace_back(arguments[1]);
        arguments.erase(arguments.begin() + 1);
    } else {
        for (const auto& [name, make] : suites) {
            chosen.push_back(name);
        }
    }
    int failures = 0;
    for (const std::string& name : chosen) {
        const std::unique_ptr<QObject> suite = suites.at(name)();
        failures += QTest::qExec(suite.get(), static_cast<int>(arguments.size()), arguments.data());
    }
    if (failures != 0) {
        std::cerr << failures << " failure(s)\n";
    }
    return failures == 0 ? 0 : 1;
}
