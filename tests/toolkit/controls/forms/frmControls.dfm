object frmControls: TfrmControls
  Left = 0
  Top = 0
  Width = 500
  Height = 400
  Caption = '控件'
  Font.Height = -12
  Font.Name = '宋体'
  PixelsPerInch = 96
  TextHeight = 12
  object grpChoice: TGroupBox
    Left = 8
    Top = 8
    Width = 200
    Height = 100
    Caption = '生成时间'
    TabOrder = 0
    object rdoA: TRadioButton
      Left = 8
      Top = 16
      Caption = '实时生成信息'
      Checked = True
      TabOrder = 0
      OnClick = rdoClick
    end
    object rdoB: TRadioButton
      Left = 8
      Top = 36
      Caption = '放入工作队列'
      TabOrder = 1
      OnClick = rdoClick
    end
    object chkView: TCheckBox
      Left = 8
      Top = 56
      Caption = '预览(&V)'
      TabOrder = 2
      OnClick = chkViewClick
    end
  end
  object grpOther: TGroupBox
    Left = 216
    Top = 8
    Width = 200
    Height = 100
    Caption = '周期'
    TabOrder = 1
    object rdoC: TRadioButton
      Left = 8
      Top = 16
      Caption = '每天'
      Checked = True
      TabOrder = 0
      OnClick = rdoClick
    end
    object btnPeriod: TSpeedButton
      Left = 8
      Top = 40
      AllowAllUp = True
      GroupIndex = 2
      Caption = '周期性'
      OnClick = spdClick
    end
    object spdIcon: TSpeedButton
      Left = 40
      Top = 40
      GroupIndex = 1
      Down = True
      Flat = True
      OnClick = spdClick
    end
    object spdList: TSpeedButton
      Left = 64
      Top = 40
      GroupIndex = 1
      NumGlyphs = 2
      OnClick = spdClick
    end
    object spdPlain: TSpeedButton
      Left = 88
      Top = 40
      OnClick = spdClick
    end
  end
  object cbo01: TComboBox
    Left = 8
    Top = 120
    Items.Strings = (
      'Alpha'
      'Beta'
      'Bravo'
      'Gamma')
    TabOrder = 2
    OnChange = cbo01Change
    OnClick = cbo01Click
  end
  object med01: TMaskEdit
    Left = 8
    Top = 150
    EditMask = '9999/99/99;1; '
    TabOrder = 3
    Text = '    /  /  '
  end
  object seHour: TSpinEdit
    Left = 8
    Top = 180
    MaxValue = 23
    MinValue = 0
    TabOrder = 4
    Value = 0
    OnChange = seHourChange
  end
  object lstCondition: TListView
    Left = 216
    Top = 120
    Columns = <
      item
        Caption = 'Data1'
        Width = 60
      end>
    SortType = stText
    TabOrder = 5
    ViewStyle = vsReport
    OnEdited = lstConditionEdited
    OnEditing = lstConditionEditing
    OnSelectItem = lstConditionSelectItem
  end
  object meNote: TMemo
    Left = 8
    Top = 210
    Lines.Strings = (
      '第一行'
      '第二行')
    TabOrder = 6
  end
  object btnOk: TBitBtn
    Left = 300
    Top = 330
    Kind = bkOK
    TabOrder = 7
  end
  object edName: TEdit
    Left = 8
    Top = 330
    TabOrder = 8
  end
end
