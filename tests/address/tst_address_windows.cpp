// Runs the address window tests, grouped by window, over one demo database.
#include "tests/card/CardSession.h"

int runAddressPickerTests(int argc, char** argv);
int runAddressButtonsTests(int argc, char** argv);
int runAddressDictionaryTests(int argc, char** argv);
int runAddressStatementsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    zel::ZelApplication app(argc, argv);
    cardtest::DemoDatabase::instance().create();
    int failures = 0;
    failures += runAddressPickerTests(argc, argv);
    failures += runAddressButtonsTests(argc, argv);
    failures += runAddressDictionaryTests(argc, argv);
    failures += runAddressStatementsTests(argc, argv);
    cardtest::DemoDatabase::instance().remove();
    return failures;
}
