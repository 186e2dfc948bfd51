// Texts the program must show, written out by hand: shared by the native
// tests and the Windows end-to-end driver. Compiled to Shift-JIS.
#pragma once

namespace expected {

// The reading of 山田 太郎 (grades 26, 8, 18, 9, 17), byte for byte.
inline const char kYamadaTaroReport[] =
    "\n***姓名判断***      山田 太郎 さん\n\n"
    "総運  26画  総合      波乱と異変の凶数(天下を取る可能性)\n\n"
    "天運   8画  先祖運    忍耐が発展を生む吉数\n\n"
    "地運  18画  個性      才知と行動力に富む吉数\n\n"
    "人運   9画  社会性    不遇と孤独を暗示する凶数\n\n"
    "外運  17画  環境運    剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)\n\n"
    "総運+人運 7.0 天運+地運+外運 24.0 得点 31.0/100.0\n\n";

// The career text after 山田 太郎 (外運 17); it ends without a line feed.
inline const char kYamadaTaroCareer[] =
    "\n******* 人気商売で行こう *******\n\n"
    "貴方の適職：歌手、俳優、タレント、アナウンサー、お笑い芸人、\n\n"
    "　　　　　　プロスポーツ選手、ホスト、ホステス、飲食店経営、美容師\n\n"
    "　　　　　　人に好かれる天性の魅力があり、人気がそのまま収入に結びつきます。\n\n"
    "　　　　　　ファンや客を大切にすることを忘れずに。";

// The career text for an outer grade outside 2..31.
inline const char kNotice[] = "\n職業運数３２以降は表示しません\n";

}  // namespace expected
