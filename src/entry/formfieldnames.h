#pragma once

#include "common/schema.h"

#include <QString>

namespace entry {

// A letter field as the entry form names it for the user: its page's tab and the caption
// beside its controls, as in
// 「医療・心身（１）」ページの「障害高齢者の日常生活自立度（寝たきり度）」.
QString formFieldName(common::Field field);

// Why a stored letter whose `field` holds a value the field cannot hold is not opened for
// editing: saving the form would write over the value.
QString unfitValueMessage(qint32 letterNo, common::Field field);

} // namespace entry
