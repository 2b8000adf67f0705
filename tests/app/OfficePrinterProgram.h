#pragma once

#include <string>

#include "tests/app/RunningProgram.h"

// The running program with one stand-in printer queue, "Office": A4 with 5 mm left, 6 mm top,
// 4.2 mm right and 12.7 mm bottom left blank. Its lpstat lists the queue, and its lp keeps its
// arguments in "lp-arguments" and the job in "spooled.pdf" in the test's folder. The queues
// have no default printer unless a fixture sets officeIsTheDefault before the program starts.
class OfficePrinterProgram : public RunningProgram {
  protected:
    bool officeIsTheDefault = false;

    void SetUp() override;
    void TearDown() override;
    // Chooses the Office queue in landscape through File > Print Setup....
    void ChooseOfficeInLandscape();
    // Draws a line in the active layout and moves it to reach `across` tenths of a millimetre
    // right and 250 mm down, printed at 1:1.
    CCVNDoc& DrawLineReaching(double across);

  private:
    void WriteScript(const char* name, const std::string& body);
};
