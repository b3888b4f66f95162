object frmPaintSample: TfrmPaintSample
  Left = 0
  Top = 0
  Width = 420
  Height = 300
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = '工单缺料表 - 条件'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = '宋体'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object pnlTop: TPanel
    Left = 0
    Top = 0
    Width = 414
    Height = 41
    Align = alTop
    TabOrder = 0
    object lblWorkOrder: TLabel
      Left = 12
      Top = 14
      Width = 80
      Height = 13
      Caption = '工单编号(&W)'
      FocusControl = edWorkOrder
    end
    object edWorkOrder: TEdit
      Left = 100
      Top = 10
      Width = 150
      Height = 21
      TabOrder = 0
      Text = 'WO-2024-0507'
    end
  end
  object pgOptions: TPageControl
    Left = 8
    Top = 50
    Width = 398
    Height = 170
    ActivePage = tsBasic
    TabOrder = 1
    object tsBasic: TTabSheet
      Caption = '基本选项'
      object lblDate: TLabel
        Left = 12
        Top = 16
        Width = 60
        Height = 13
        Caption = '开单日期'
      end
      object edDate: TEdit
        Left = 90
        Top = 12
        Width = 120
        Height = 21
        TabOrder = 0
        Text = '2024/05/07'
      end
      object lblNote: TLabel
        Left = 12
        Top = 50
        Width = 360
        Height = 60
        Caption = '只列出缺料的工单；数量以库存单位计算。 Shortages only, in stock units.'
        WordWrap = True
      end
    end
    object tsOther: TTabSheet
      Caption = '其它选项'
    end
  end
  object btnOk: TButton
    Left = 168
    Top = 232
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    TabOrder = 2
    OnClick = btnOkClick
  end
  object btnCancel: TButton
    Left = 250
    Top = 232
    Width = 75
    Height = 25
    Cancel = True
    Caption = '取消'
    ModalResult = 2
    TabOrder = 3
  end
  object btnHelp: TButton
    Left = 332
    Top = 232
    Width = 75
    Height = 25
    Caption = '说明(&H)'
    Enabled = False
    TabOrder = 4
  end
end
