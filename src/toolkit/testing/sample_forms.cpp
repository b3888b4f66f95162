#include "toolkit/testing/sample_forms.h"

#include "toolkit/class_builder.h"

#include <array>
#include <string_view>

namespace kvc {

namespace {

// The sample pictures, 16 x 16, one letter a pixel ("." transparent).
using TArt = std::array<std::string_view, 16>;

constexpr std::array<TArt, 5> kSmallPictures{{
    // page
    {
        "...kkkkkkkk.....",
        "...kwwwwwwkk....",
        "...kwwwwwwkwk...",
        "...kwwwwwwkkkk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkwwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkkwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkkwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kkkkkkkkkkk..",
        "................",
    },
    // printer
    {
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".ksssssssssssssk",
        ".kssssssssssgggk",
        ".ksssssssssssssk",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "..kwwwwwwwwwwk..",
        "..kwkkkkkkkkwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
    },
    // folder
    {
        "................",
        "................",
        "..kkkkk.........",
        ".kyyyyyk........",
        "kyyyyyyykkkkkkk.",
        "kwwwwwwwwwwwwwok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyok",
        "kooooooooooooook",
        ".kkkkkkkkkkkkkk.",
        "................",
    },
    // part
    {
        "................",
        "......kkkk......",
        "....kkcccckk....",
        "..kkcccccccckk..",
        ".kcccccccccccckk",
        ".kbbccccccccbbkk",
        ".kbbbbccccbbnnkk",
        ".kbbbbbbnnnnnnkk",
        ".kbbbbbbnnnnnnkk",
        ".kbbbbbbnnnnnnkk",
        ".kbbbbbbnnnnnnkk",
        ".kbbbbbbnnnnnnkk",
        "..kkbbbbnnnnkk..",
        "....kkbbnnkk....",
        "......kkkk......",
        "................",
    },
    // delete
    {
        "................",
        "................",
        "..rr.......rr...",
        "..rrr.....rrr...",
        "...rrr...rrr....",
        "....rrr.rrr.....",
        ".....rrrrr......",
        "......rrr.......",
        ".....rrrrr......",
        "....rrr.rrr.....",
        "...rrr...rrr....",
        "..rrr.....rrr...",
        "..rr.......rr...",
        "................",
        "................",
        "................",
    },
}};

TColor ArtColor(char letter) {
    switch (letter) {
    case 'k':
        return clBlack;
    case 'w':
        return clWhite;
    case 's':
        return clSilver;
    case 'g':
        return clGray;
    case 'y':
        return clYellow;
    case 'o':
        return clOlive;
    case 'c':
        return RGBColor(0x80, 0xC0, 0xFF);
    case 'b':
        return clBlue;
    case 'n':
        return clNavy;
    case 'r':
        return clRed;
    default:
        return clFuchsia;
    }
}

TCustomImageList::TImagePixels ArtPixels(const TArt& art) {
    TCustomImageList::TImagePixels pixels;
    for (std::string_view row : art) {
        for (char letter : row) {
            pixels.push_back(ArtColor(letter));
        }
    }
    return pixels;
}

} // namespace

KVC_REGISTER_CLASS(TfrmPaintSample) {
    KVC_FIELD(pnlTop);
    KVC_FIELD(lblWorkOrder);
    KVC_FIELD(edWorkOrder);
    KVC_FIELD(pgOptions);
    KVC_FIELD(tsBasic);
    KVC_FIELD(tsOther);
    KVC_FIELD(lblDate);
    KVC_FIELD(edDate);
    KVC_FIELD(lblNote);
    KVC_FIELD(btnOk);
    KVC_FIELD(btnCancel);
    KVC_FIELD(btnHelp);
    KVC_METHOD(btnOkClick);
}

KVC_REGISTER_CLASS(TfrmPaintControls) {
    KVC_FIELD(ilSmall);
    KVC_FIELD(tbMain);
    KVC_FIELD(tbnNew);
    KVC_FIELD(tbnSep);
    KVC_FIELD(tbnPrint);
    KVC_FIELD(tbnDelete);
    KVC_FIELD(gbOptions);
    KVC_FIELD(cbShortage);
    KVC_FIELD(cbClosed);
    KVC_FIELD(cbGrayed);
    KVC_FIELD(rbByOrder);
    KVC_FIELD(rbByItem);
    KVC_FIELD(cmbWarehouse);
    KVC_FIELD(sbFind);
    KVC_FIELD(seDays);
    KVC_FIELD(btnRun);
    KVC_FIELD(btnStop);
    KVC_FIELD(mmNote);
    KVC_FIELD(lvOrders);
    KVC_FIELD(tvItems);
    KVC_FIELD(splMain);
    KVC_FIELD(tsView);
    KVC_FIELD(sgStock);
    KVC_FIELD(lbUnits);
    KVC_FIELD(stsMain);
    KVC_METHOD(FormCreate);
}

void TfrmPaintControls::FormCreate(TObject*) {
    for (const TArt& art : kSmallPictures) {
        ilSmall->AddMasked(ArtPixels(art), clFuchsia);
    }

    const char* rows[][3] = {
        {"WO-0507", "A-1001", "12"}, {"WO-0508", "B-2040", "3"},  {"WO-0511", "C-0007", "150"},
        {"WO-0512", "A-1002", "8"},  {"WO-0515", "B-2041", "20"}, {"WO-0516", "C-0009", "64"},
        {"WO-0520", "A-1003", "5"},  {"WO-0521", "D-0100", "1"},
    };
    for (const auto& row : rows) {
        TListItem* item = lvOrders->Items().Add();
        item->SetCaption(row[0]);
        item->SetImageIndex(0);
        item->SubItems()->Add(row[1]);
        item->SubItems()->Add(row[2]);
    }
    lvOrders->Items()[1]->SetSelected(true);

    TTreeNodes* nodes = tvItems->GetItems();
    TTreeNode* raw = nodes->AddChild(nullptr, "原料");
    nodes->AddChild(raw, "钢板");
    nodes->AddChild(raw, "螺丝");
    raw->SetExpanded(true);
    TTreeNode* parts = nodes->AddChild(nullptr, "半成品");
    nodes->AddChild(parts, "外壳");
    // Groups show a folder, items a part.
    for (int i = 0; i < nodes->Count(); ++i) {
        TTreeNode* node = nodes->Item(i);
        node->SetImageIndex(node->Level() == 0 ? 2 : 3);
        node->SetSelectedIndex(node->GetImageIndex());
    }
    raw->GetFirstChild()->SetSelected(true);

    const char* cells[][4] = {
        {"料号", "品名", "库存", "缺量"},
        {"A-1001", "钢板", "40", "12"},
        {"B-2040", "螺丝", "800", "3"},
        {"C-0007", "外壳", "0", "150"},
    };
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            sgStock->SetCells(col, row, cells[row][col]);
        }
    }
    sgStock->FocusCell(1, 2);
}

void TfrmPaintSample::btnOkClick(TObject*) {
    ++okClicks;
}

void RegisterSampleForms() {
    RegisterClass(TfrmPaintSample::StaticClassInfo());
    RegisterClass(TfrmPaintControls::StaticClassInfo());
}

} // namespace kvc
