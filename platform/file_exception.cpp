#include "file_exception.h"

#include "file_system.h"

namespace {

const char* CauseText(CFileException::ECause eCause) {
    switch (eCause) {
        case CFileException::ECause::badSeek:
            return "Не удалось перейти к нужному месту файла";
        case CFileException::ECause::hardIO:
            return "Ошибка ввода-вывода в файле";
        case CFileException::ECause::diskFull:
            return "Не хватило места на диске для файла";
        case CFileException::ECause::accessDenied:
            return "Нет доступа к файлу";
        case CFileException::ECause::endOfFile:
            return "Неожиданный конец файла";
        case CFileException::ECause::generic:
            break;
    }
    return "Ошибка при работе с файлом";
}

}  // namespace

CFileException::CFileException(ECause eCause, int nOsError, std::string strFileName)
    : std::runtime_error(CauseText(eCause)),
      m_eCause(eCause),
      m_nOsError(nOsError),
      m_strFileName(std::move(strFileName)) {}

std::string DescribeFileException(const CFileException& e) {
    std::string strText = CauseText(e.m_eCause);
    strText += " «" + e.m_strFileName + "»";
    if (e.m_nOsError != 0) strText += " (" + FileSystem().ErrorText(e.m_nOsError) + ")";
    strText += '.';
    return strText;
}
