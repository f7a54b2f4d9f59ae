#include "TestApp.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace vezal::testing {

namespace {

std::unique_ptr<QApplication> application;

// Ends the application when the tests have run, not among the exit-time destructors: by then Qt Sql's
// connection list may be gone, and the application's clean-up still reaches for it.
class ApplicationEnd : public ::testing::Environment {
public:
    void TearDown() override { application.reset(); }
};

} // namespace

QApplication& testApp() {
    static int argc = 1;
    static char name[] = "vezal-tests";
    static char* argv[] = {name, nullptr};
    if (!application) {
        application = std::make_unique<QApplication>(argc, argv);
        ::testing::AddGlobalTestEnvironment(new ApplicationEnd); // GoogleTest owns its environments
    }
    return *application;
}

} // namespace vezal::testing
