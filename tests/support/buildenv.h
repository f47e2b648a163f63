#pragma once

namespace tirra::test {
// Puts the build's facts (test server folder, stand-in card, programs under test) into the
// environment, unless the caller's environment already says otherwise.
void applyBuildEnvironment();
}  // namespace tirra::test
