#pragma once

namespace tavorin::selection {

// The most lines that the modes "all", "by prefix" and "by range" fill the
// transfer list to; hand-picked points have no limit.
inline constexpr int TransferListLimit = 999;

} // namespace tavorin::selection
