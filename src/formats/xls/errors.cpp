#include "formats/xls/errors.h"

#include <string>

namespace tarnwick::xls {

Error damaged(std::string_view what) {
    return Error{ErrorKind::Damaged, "工作簿已损坏，无法读取（" + std::string(what) + "）。"};
}

Error emptyFile() { return Error{ErrorKind::Empty, "工作簿文件是空的（0 字节）。"}; }

Error tooLarge() { return Error{ErrorKind::TooLarge, "工作簿太大或已损坏，无法读取。"}; }

Error notCompoundFile() { return Error{ErrorKind::NotCompoundFile, "文件不是 Excel 97-2003 工作簿。"}; }

Error newerFormat() {
    return Error{ErrorKind::NewerFormat,
                 "这是 Excel 2007 及以后版本的新格式工作簿（.xlsx），不是 Excel 97-2003 工作簿（.xls）；请另存为“Excel 97-2003 工作簿”。"};
}

Error excel5Or95() {
    return Error{ErrorKind::OlderFormat,
                 "这是 Excel 5.0/95 格式的工作簿，不是 Excel 97-2003 工作簿；请在 Excel 中另存为“Excel 97-2003 工作簿”。"};
}

Error excel4OrOlder() {
    return Error{ErrorKind::OlderFormat,
                 "这是 Excel 4.0 或更早版本的工作簿，不是 Excel 97-2003 工作簿；请在 Excel 中另存为“Excel 97-2003 工作簿”。"};
}

Error encrypted() {
    return Error{ErrorKind::Encrypted, "工作簿设置了打开密码（已加密），无法读取；请在 Excel 中去掉密码后重新保存。"};
}

Error noWorkbook() {
    return Error{ErrorKind::WrongFormat, "文件中没有工作簿数据，不是 Excel 工作簿（可能是其他 Office 文档）。"};
}

}  // namespace tarnwick::xls
