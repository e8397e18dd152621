#include "TestProvider.h"

const QIEntry* CTestProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CTestProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

const QIEntry* CPlainObject::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CPlainObject, IPersist), {nullptr, nullptr}};
    return table;
}
