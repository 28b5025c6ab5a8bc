#include "config/product_config.h"

namespace {
const char* const kUpdateFiles[] = {"patch.pac", "data.pac", nullptr};
}

const ProductConfigRecord ProductConfig = {
    "Lumivera 更新プログラム",
    "Lumiveraのフォルダーを選択して下さい。",
    kUpdateFiles,
    "Amberlune",
    "hoshivo",
    "更新処理",
    "更新処理が終了しました。",
    "既に更新処理が行われています。\r\n上書き処理を行いますか？",
    "下記のインストール先に更新処理を行います。",
};
