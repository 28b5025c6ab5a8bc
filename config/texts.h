// Fixed texts, names and formats, the same for every product. The sources are
// compiled with a code page 932 execution character set, so these arrays hold
// the Shift-JIS bytes that the narrow Windows calls take.
#pragma once

namespace Text {
inline constexpr char AppDataNotFound[] = "AppDataフォルダが見つかりませんでした";
// A lone LF here, unlike the CR LF of the overwrite question: kept as shipped.
inline constexpr char SaveDataQuestion[] =
    "この更新プログラムを実行すると、セーブデータは使用できなくなります。\nよろしいですか？";
inline constexpr char NotGameFolder[] = "ゲームフォルダーではありません。";
inline constexpr char InvalidFolderName[] = "無効なフォルダー名が入力されました";
inline constexpr char SelectedTrace[] = "選択された";
inline constexpr char SourceNotFound[] = "コピー元のファイルが見つかりません。";
inline constexpr char DiskFull[] = "ディスクの空き容量が不足しています。";
inline constexpr char FreeSpaceUnknown[] = "ディスクの空き容量が取得できません。";
inline constexpr char CopyFailed[] = "アップデートファイルのコピーに失敗しました。";
inline constexpr char ManifestUpdateFailed[] = "インストール情報の更新に失敗しました。";
inline constexpr char OpenSourceFailed[] = "ファイルの読み込みに失敗";
inline constexpr char CreateFailed[] = "ファイル作成失敗";
inline constexpr char ReadFailed[] = "ファイル読み込み失敗";
inline constexpr char WriteFailed[] = "ファイル書き込み失敗";
// Shown when a folder and a name joined would not fit the buffer for the
// path; the operation that needed the path is refused before it writes.
inline constexpr char PathTooLong[] = "パスが長すぎます。";
}  // namespace Text

namespace Name {
inline constexpr char JoinFormat[] = "%s\\%s";
inline constexpr char GameExeFormat[] = "%s\\%s.exe";
inline constexpr char Separator[] = "\\";
inline constexpr char IniSuffix[] = ".ini";
inline constexpr char IniSection[] = "INSTALL";
inline constexpr char IsInstallKey[] = "IsInstall";
inline constexpr char InstallFoldKey[] = "InstallFold";
inline constexpr char Manifest[] = "Setup.dat";
inline constexpr char ManifestFileLine[] = "F %s;\r\n";
inline constexpr char DialogTemplate[] = "PATCH";
inline constexpr char EditClass[] = "EDIT";
inline constexpr char InitialSelection[] = "C:";
}  // namespace Name
