#pragma once

#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "RecordedErrors.h"
#include "shell/FormParts.h"
#include "shell/MainWindow.h"

namespace varkelon::test {

// A clock stuck at one second; it throws while `failing` is set.
struct TestClock {
    bool failing = false;
    std::uint32_t operator()() const {
        if (failing)
            throw std::runtime_error("Clock stopped");
        return 1700000000u;
    }
};

inline FormParts partsWith(std::shared_ptr<TestClock> clock) {
    FormParts parts;
    parts.makeModel = [clock](Manager::RegimeSource regime) {
        return std::make_unique<TeachingModel>([clock] { return (*clock)(); }, std::move(regime));
    };
    return parts;
}

// A main window on screen and active, so that clicks give the focus.
struct ShownForm {
    explicit ShownForm(FormParts parts = partsWith(std::make_shared<TestClock>()))
        : form(recordedErrors(), std::move(parts)) {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qFatal("the main window did not become active");
    }

    template <class Control>
    Control* control(const char* name) {
        auto* found = form.findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }

    Manager& manager() { return form.model()->manager; }
    Network& network() { return form.model()->network; }

    MainWindow form;
};

int runFormTests(int argc, char** argv);
int runCommandTests(int argc, char** argv);
int runNeuronCountTests(int argc, char** argv);
int runEventTests(int argc, char** argv);
int runAccessibilityTests(int argc, char** argv);
int runWindowOptionsTests(int argc, char** argv);
int runSaveDialogTests(int argc, char** argv);

}  // namespace varkelon::test
