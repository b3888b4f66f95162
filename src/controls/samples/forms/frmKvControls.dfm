object frmKvControls: TfrmKvControls
  Left = 0
  Top = 0
  Width = 432
  Height = 330
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = '其他控件样例'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 12
  object pgOptions: TExtPageControl
    Left = 8
    Top = 8
    Width = 410
    Height = 286
    ActivePage = tsBasic
    object tsBasic: TTabSheet
      Caption = '基本条件'
      object edHours: TKvEdit
        Left = 80
        Top = 16
        Width = 60
        Height = 21
        Caption = '间隔小时'
        Text = '4'
      end
      object edWarehouse: TKvBtnDBEdit
        Left = 80
        Top = 48
        Width = 100
        Height = 21
        Caption = '仓库'
        GlyphIndex = 63
        ButtonHint = '仓库开窗'
      end
      object lblDays: TDBLabel
        Left = 0
        Top = 0
        Width = 24
        Height = 12
        Caption = '天数'
        FocusControl = seDays
      end
      object seDays: TKvSpinEdit
        Left = 80
        Top = 80
        Width = 60
        Height = 21
        MaxValue = 31
        MinValue = 1
        Value = 7
      end
      object rbAll: TKvRadioButton
        Left = 240
        Top = 16
        Width = 120
        Caption = '全部单据'
        Checked = True
      end
      object rbOpen: TKvRadioButton
        Left = 240
        Top = 40
        Width = 120
        Caption = '仅未结案'
      end
      object rbLarge: TKvRadioButton
        Left = 240
        Top = 64
        Width = 150
        Height = 24
        Caption = '大字选项'
        Font.Height = -16
        ParentFont = False
      end
      object rgPeriod: TKvRadioGroup
        Left = 16
        Top = 120
        Width = 370
        Height = 120
        Caption = '周期'
        Columns = 2
        ItemIndex = 1
        Items.Strings = (
          '按日'
          '按周'
          '按月'
          'By quarter'
          '按年')
      end
    end
    object tsHidden: TTabSheet
      Caption = '隐藏页'
      TabVisible = False
    end
    object tsSchedule: TTabSheet
      Caption = '排程'
    end
    object tsOther: TTabSheet
      Caption = '其他'
    end
  end
end
