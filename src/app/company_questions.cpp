// The questions and messages around the registry steps, shared by the company
// form and the company list.
#include "app/company_registry.h"

#include "data/program_home.h"
#include "data/table.h"
#include "widgets/message_box.h"

#include <QFileInfo>

bool showOutcome(const CompanyRegistry::Outcome &outcome)
{
    if (!outcome.message.isEmpty()) {
        using Icon = CompanyRegistry::Outcome::Icon;
        const MessageBox::Icon icon = outcome.icon == Icon::Critical   ? MessageBox::Icon::Critical
                                      : outcome.icon == Icon::Question ? MessageBox::Icon::Question
                                                                       : MessageBox::Icon::Warning;
        MessageBox::show(MessageBox::kCaption, outcome.message, icon, MessageBox::Ok);
    }
    return outcome.ok;
}

bool deleteCompanyAsking(Table &firma)
{
    if (!MessageBox::askYesNo(QStringLiteral("Firma silinecektir. Eminmisiniz?"))) return false;
    if (firma.state() == Dataset::State::Insert) {
        firma.cancel();
        return true;
    }
    firma.cancel();  // a pending edit of the record being deleted is dropped
    if (firma.isEmpty()) return false;
    const QString code = firma.field(QStringLiteral("firma_kodu")).asString();
    if (!code.isEmpty() && QFileInfo::exists(CompanyRegistry::companyFile(code))) {
        if (MessageBox::askYesNo(QStringLiteral("Bu firmayı silmeniz halinde girmiş olduğunuz\n\rbilgiler de "
                                                "silinecektir. İşlemi kesmek istermisiniz?")))
            return false;
        if (!MessageBox::askYesNo(QStringLiteral("Bu işlem sonunda bu firma dosyalarına\n\rbir daha ulaşmanız "
                                                 "mümkün olmayacaktır. İşleme devam etmek istiyormusunuz?")))
            return false;
    }
    return showOutcome(CompanyRegistry::firmasil(firma));
}
