#pragma once

#include "platform/fake/FakePlatform.h"
#include "support/SheetBytes.h"
#include "support/TempDir.h"
#include "view/CTagrolView.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

namespace tallimo::test {

// A freshly started view on the fakes, untitled, with a folder for its files.
class DocumentFixture {
public:
    class NoLibraries final : public LibraryLoader {
    public:
        std::unique_ptr<Library> load(const std::string&, std::string& error) override {
            error = "no libraries in this test";
            return nullptr;
        }
    };

    // Settings switches to turn on before the view reads them.
    explicit DocumentFixture(std::initializer_list<const char*> switchesOn = {}) {
        for (const char* key : switchesOn) {
            settings.setString(kSettingsSection, key, "on");
        }
        view = std::make_unique<CTagrolView>(platform);
        doc().OnNewDocument();
    }

    CTagrolDoc& doc() { return view->document(); }
    TimeSheet& sheet() { return view->sheet(); }

    // A small month file whose first comment tells which file it is.
    std::string writeMonth(const std::string& name, const std::string& comment) {
        const std::string path = dir.file(name);
        writeBytes(path, SheetBytes()
                             .header(2, {}, 1141167600, 1143845940)
                             .workRow("01.03.2006", "08:00:00", "17:00:00", comment)
                             .workRow("02.03.2006")
                             .bytes);
        return path;
    }
    std::string firstComment() const { return view->sheet().work.itemText(0, WorkColumn::Comment); }
    // The first comment a file on the disk holds.
    std::string commentOnDisk(const std::string& path) {
        CTagrolView reader(platform);
        reader.loadSheet(readBytes(path));
        return reader.sheet().work.itemText(0, WorkColumn::Comment);
    }
    // Makes every later save to the path fail: a folder takes the file's place.
    static void blockSaving(const std::string& path) {
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
    }
    std::string lastDocument() const {
        return settings.getString(kSettingsSection, "LastDocument").value_or("<absent>");
    }

    TempDir dir;
    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    NoLibraries libraries;
    Platform platform{ui, settings, clock, timers, trace, libraries};
    std::unique_ptr<CTagrolView> view;
};

} // namespace tallimo::test
