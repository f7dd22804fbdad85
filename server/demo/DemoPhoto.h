#pragma once

#include <QByteArray>

namespace zel::server::demo {

/// Small synthetic portraits stored as the card stores photos: the bytes of a
/// 24-bit Windows bitmap file (BMP), 3 : 4.
class DemoPhoto {
public:
    static constexpr int kWidth = 60;
    static constexpr int kHeight = 80;
    static constexpr int kVariants = 8;

    /// Portrait number variant (taken modulo kVariants); the same number gives the same bytes.
    static QByteArray bitmap(int variant);
};

}  // namespace zel::server::demo
