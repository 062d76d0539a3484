#!/usr/bin/env bash
# Makes the README's screenshots in docs/ (the main window, the pop-up track
# bar, the eyedropper before and over a pattern, a colour list) by running the end-to-end
# tests that show those states with TINTRA_SCREENSHOT_DIR pointing there.
# The test command itself never writes into the source tree.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

bash "$here/setup.sh"
bash "$here/build.sh"
export TINTRA_PREFIX_NAME=${TINTRA_PREFIX_NAME:-wineprefix-shots}
# shellcheck source=scripts/env.sh
source "$here/env.sh"
cd "$TINTRA_ROOT"
tintra_xvfb_start
tintra_prefix_init
tintra_wineserver_start

export TINTRA_SCREENSHOT_DIR="${TINTRA_SCREENSHOT_DIR:-$TINTRA_ROOT/docs}"
mkdir -p "$TINTRA_SCREENSHOT_DIR"
build/native/tests/e2e_tests --gtest_brief=1 --gtest_filter='MainWindow.AppearsWithCaptionTintra:ChannelEditors.DraggingThePopupToTheRightEndGives255:Sampling.EyedropperPicksTheBackgroundColourIntoAllTwelveEditors:Sampling.MagnifierShowsTheThirteenByNinePixelsAroundThePointer:ColorList.ALoadedListShowsEachColourInItsSwatch'
ls -l "$TINTRA_SCREENSHOT_DIR"/*.png
