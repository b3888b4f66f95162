object frmPaintControls: TfrmPaintControls
  Left = 0
  Top = 0
  Width = 600
  Height = 440
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = '控件样例'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
  OnCreate = FormCreate
  object ilSmall: TImageList
  end
  object tbMain: TToolBar
    Left = 0
    Top = 0
    Width = 594
    Height = 26
    ButtonWidth = 60
    ButtonHeight = 22
    Flat = False
    Images = ilSmall
    List = True
    ShowCaptions = True
    object tbnNew: TToolButton
      Left = 0
      Top = 2
      Caption = '新增'
      ImageIndex = 0
    end
    object tbnSep: TToolButton
      Left = 60
      Top = 2
      Width = 8
      Style = tbsSeparator
    end
    object tbnPrint: TToolButton
      Left = 68
      Top = 2
      Caption = '打印'
      ImageIndex = 1
      Style = tbsCheck
      Down = True
    end
    object tbnDelete: TToolButton
      Left = 128
      Top = 2
      Caption = '删除'
      Enabled = False
      ImageIndex = 4
    end
  end
  object gbOptions: TGroupBox
    Left = 8
    Top = 32
    Width = 200
    Height = 112
    Caption = '选项'
    TabOrder = 1
    object cbShortage: TCheckBox
      Left = 10
      Top = 18
      Width = 180
      Height = 17
      Caption = '只列缺料(&S)'
      Checked = True
      State = cbChecked
      TabOrder = 0
    end
    object cbClosed: TCheckBox
      Left = 10
      Top = 38
      Width = 180
      Height = 17
      Caption = '含已结案'
      TabOrder = 1
    end
    object cbGrayed: TCheckBox
      Left = 10
      Top = 58
      Width = 180
      Height = 17
      AllowGrayed = True
      Caption = '部分'
      Enabled = False
      State = cbGrayed
      TabOrder = 2
    end
    object rbByOrder: TRadioButton
      Left = 10
      Top = 78
      Width = 80
      Height = 17
      Caption = '按工单'
      Checked = True
      TabOrder = 3
    end
    object rbByItem: TRadioButton
      Left = 100
      Top = 78
      Width = 80
      Height = 17
      Caption = '按料号'
      TabOrder = 4
    end
  end
  object cmbWarehouse: TComboBox
    Left = 216
    Top = 40
    Width = 150
    Height = 21
    Style = csDropDownList
    TabOrder = 2
    Items.Strings = (
      '总仓'
      '成品仓')
    ItemIndex = 0
  end
  object sbFind: TSpeedButton
    Left = 374
    Top = 39
    Width = 23
    Height = 22
    Flat = True
    Glyph.Data = {
      76010000424D7601000000000000760000002800000020000000100000000100
      0400000000000001000000000000000000001000000000000000000000000000
      80000080000000808000800000008000800080800000C0C0C000808080000000
      FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00333333333333
      3333333333333333333333333333333333333333333333333333333333332333
      3333333333338333333333333333223333333333333388333333333333332223
      3333333333338883333333333333222233333333333388883333332222222222
      2333338888888888833333222222222222333388888888888833332222222222
      2233338888888888883333222222222223333388888888888333333333332222
      3333333333338888333333333333222333333333333388833333333333332233
      3333333333338833333333333333233333333333333383333333333333333333
      3333333333333333333333333333333333333333333333333333}
    NumGlyphs = 2
  end
  object seDays: TSpinEdit
    Left = 216
    Top = 70
    Width = 80
    Height = 21
    MaxValue = 99
    MinValue = 0
    TabOrder = 3
    Value = 7
  end
  object btnRun: TBitBtn
    Left = 216
    Top = 104
    Width = 88
    Height = 25
    Caption = '执行'
    TabOrder = 4
    Glyph.Data = {
      76010000424D7601000000000000760000002800000020000000100000000100
      0400000000000001000000000000000000001000000000000000000000000000
      80000080000000808000800000008000800080800000C0C0C000808080000000
      FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00333333333333
      3333333333333333333333333333333333333333333333333333333333332333
      3333333333338333333333333333223333333333333388333333333333332223
      3333333333338883333333333333222233333333333388883333332222222222
      2333338888888888833333222222222222333388888888888833332222222222
      2233338888888888883333222222222223333388888888888333333333332222
      3333333333338888333333333333222333333333333388833333333333332233
      3333333333338833333333333333233333333333333383333333333333333333
      3333333333333333333333333333333333333333333333333333}
    NumGlyphs = 2
  end
  object btnStop: TBitBtn
    Left = 310
    Top = 104
    Width = 88
    Height = 25
    Caption = '停止'
    Enabled = False
    TabOrder = 5
    Glyph.Data = {
      76010000424D7601000000000000760000002800000020000000100000000100
      0400000000000001000000000000000000001000000000000000000000000000
      80000080000000808000800000008000800080800000C0C0C000808080000000
      FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00333333333333
      3333333333333333333333333333333333333333333333333333333333332333
      3333333333338333333333333333223333333333333388333333333333332223
      3333333333338883333333333333222233333333333388883333332222222222
      2333338888888888833333222222222222333388888888888833332222222222
      2233338888888888883333222222222223333388888888888333333333332222
      3333333333338888333333333333222333333333333388833333333333332233
      3333333333338833333333333333233333333333333383333333333333333333
      3333333333333333333333333333333333333333333333333333}
    NumGlyphs = 2
  end
  object mmNote: TMemo
    Left = 408
    Top = 32
    Width = 178
    Height = 97
    Lines.Strings = (
      '备注：'
      '缺料以库存单位计算。'
      'Shortages in stock units.')
    TabOrder = 6
  end
  object lvOrders: TListView
    Left = 8
    Top = 152
    Width = 280
    Height = 120
    Columns = <
      item
        Caption = '工单'
        Width = 90
      end
      item
        Caption = '料号'
        Width = 100
      end
      item
        Alignment = taRightJustify
        Caption = '缺量'
        Width = 60
      end>
    HideSelection = False
    RowSelect = True
    SmallImages = ilSmall
    TabOrder = 7
    ViewStyle = vsReport
  end
  object tvItems: TTreeView
    Left = 296
    Top = 152
    Width = 150
    Height = 120
    HideSelection = False
    Images = ilSmall
    Indent = 19
    TabOrder = 8
  end
  object splMain: TSplitter
    Left = 452
    Top = 152
    Width = 4
    Height = 120
    Beveled = True
  end
  object tsView: TTabSet
    Left = 462
    Top = 152
    Width = 124
    Height = 22
    Tabs.Strings = (
      '明细'
      '汇总')
    TabIndex = 0
  end
  object sgStock: TStringGrid
    Left = 8
    Top = 280
    Width = 300
    Height = 100
    ColCount = 4
    DefaultColWidth = 70
    DefaultRowHeight = 20
    RowCount = 4
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect]
    TabOrder = 9
  end
  object lbUnits: TListBox
    Left = 316
    Top = 280
    Width = 130
    Height = 100
    ItemHeight = 16
    Items.Strings = (
      '个'
      '箱'
      '公斤'
      '米'
      '卷'
      '张'
      '套')
    ItemIndex = 2
    TabOrder = 10
  end
  object stsMain: TStatusBar
    Left = 0
    Top = 393
    Width = 594
    Height = 19
    Panels = <
      item
        Text = '就绪'
        Width = 200
      end
      item
        Text = '工单 8 笔'
        Width = 150
      end
      item
        Width = 50
      end>
    SimplePanel = False
  end
end
