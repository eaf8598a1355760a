// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportPage.h"

#include <algorithm>
#include <stdexcept>

namespace Report {

namespace {

template <typename List>
auto findByName(List &list, const QString &name) {
    return std::find_if(list.begin(), list.end(), [&](const auto &item) { return item.name == name; });
}

[[noreturn]] void throwUnknown(const char *kind, const QString &name) {
    throw std::out_of_range(QStringLiteral("The printed page has no %1 named \"%2\"")
                                .arg(QLatin1String(kind), name)
                                .toStdString());
}

}  // namespace

bool ReportPage::hasLabel(const QString &name) const {
    return findByName(labels, name) != labels.end();
}

const PageLabel &ReportPage::label(const QString &name) const {
    const auto it = findByName(labels, name);
    if (it == labels.end())
        throwUnknown("label", name);
    return *it;
}

const PageShape &ReportPage::shape(const QString &name) const {
    const auto it = findByName(shapes, name);
    if (it == shapes.end())
        throwUnknown("shape", name);
    return *it;
}

void ReportPage::setCaption(const QString &name, const QString &text) {
    const auto it = findByName(labels, name);
    if (it == labels.end())
        throwUnknown("label", name);
    it->caption = text;
}

void ReportPage::clearCaptions() {
    for (PageLabel &l : labels)
        l.caption.clear();
}

}  // namespace Report
