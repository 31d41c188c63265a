// SPDX-License-Identifier: MIT
#include "suites.h"

#include "ui/data_folders.h"
#include "ui/rules_file_reader.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ui::test {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class RulesFileReaderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(first_.isValid());
        QVERIFY(second_.isValid());
        a_ = fs::path(first_.path().toStdString());
        b_ = fs::path(second_.path().toStdString());
        fs::remove_all(a_ / "help.vrn");
        fs::remove_all(b_ / "help.vrn");
    }

    void readsTheWholeFileAsBytes() {
        const std::string bytes("\xCF\xF0\xE0\xE2\xE8\xEB\xE0\r\n\r\nlast\0line", 16);
        write(b_ / "help.vrn", bytes);
        const game::RulesFile file = readRulesFile({a_, b_});
        QVERIFY(file.bytes.has_value());
        QCOMPARE(*file.bytes, bytes);
        QCOMPARE(file.path, (b_ / "help.vrn").string());
        QVERIFY(file.failure.empty());
        write(a_ / "help.vrn", "");
        QCOMPARE(readRulesFile({a_, b_}).bytes, std::optional<std::string>(""));
    }

    void theFirstFolderThatHasTheFileWins() {
        write(a_ / "help.vrn", "first");
        write(b_ / "help.vrn", "second");
        QCOMPARE(readRulesFile({a_, b_}).bytes, std::optional<std::string>("first"));
        QCOMPARE(readRulesFile({b_, a_}).bytes, std::optional<std::string>("second"));
    }

    void aMissingFileIsReportedByItsBareName() {
        const game::RulesFile file = readRulesFile({a_, b_});
        QVERIFY(!file.bytes);
        QCOMPARE(file.path, std::string("help.vrn"));
        QCOMPARE(file.failure, std::string("файл не найден"));
    }

    void aDirectoryOfThatNameIsNotTheRules() {
        fs::create_directory(a_ / "help.vrn");
        write(b_ / "help.vrn", "second");
        const game::RulesFile file = readRulesFile({a_, b_});
        QVERIFY(!file.bytes);
        QCOMPARE(file.path, (a_ / "help.vrn").string());
        QCOMPARE(file.failure, std::string("это не обычный файл"));
    }

    void aFileOverOneMebibyteIsRefused() {
        constexpr std::size_t kMebibyte = 1024 * 1024;
        write(a_ / "help.vrn", std::string(kMebibyte + 1, 'x'));
        const game::RulesFile file = readRulesFile({a_});
        QVERIFY(!file.bytes);
        QCOMPARE(file.failure, std::string("файл больше 1 МиБ"));
        write(a_ / "help.vrn", std::string(kMebibyte, 'x'));
        QCOMPARE(readRulesFile({a_}).bytes->size(), kMebibyte);
    }

    void anUnreadableFileIsReported() {
        if (::geteuid() == 0) {
            // Permissions do not stop root. A file whose reading fails in the kernel does:
            // offset 0 of a process's memory is never mapped.
            fs::create_symlink("/proc/self/mem", a_ / "help.vrn");
        } else {
            write(a_ / "help.vrn", "secret");
            fs::permissions(a_ / "help.vrn", fs::perms::none);
        }
        const game::RulesFile file = readRulesFile({a_});
        QVERIFY(!file.bytes);
        QCOMPARE(file.path, (a_ / "help.vrn").string());
        QCOMPARE(file.failure, std::string("файл не удаётся прочитать"));
    }

    // The current directory first, so that a player's own file wins; each folder once.
    void dataFilesAreLookedForInTheCurrentDirectoryThenBesideTheProgram() {
        const fs::path bin(QCoreApplication::applicationDirPath().toStdString());
        const fs::path previous = fs::current_path();
        fs::current_path(a_);
        const std::vector<fs::path> elsewhere = dataFolders();
        fs::current_path(bin);
        const std::vector<fs::path> inBin = dataFolders();
        fs::current_path(previous);
        QVERIFY(elsewhere.size() >= 2);
        QCOMPARE(elsewhere[0], a_);
        QCOMPARE(elsewhere[1], bin);
        QCOMPARE(inBin.size(), elsewhere.size() - 1);
        QCOMPARE(inBin[0], bin);
    }

private:
    QTemporaryDir first_;
    QTemporaryDir second_;
    fs::path a_;
    fs::path b_;
};

[[maybe_unused]] const bool kRegistered = registerSuite<RulesFileReaderTest>("RulesFileReader");

} // namespace

} // namespace ui::test

#include "rules_file_reader_test.moc"
