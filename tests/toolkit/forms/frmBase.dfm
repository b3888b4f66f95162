object frmBase: TfrmBase
  Left = 0
  Top = 0
  Width = 400
  Height = 300
  Caption = '基本选项'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = '宋体'
  Font.Style = []
  KeyPreview = True
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnKeyDown = FormKeyDown
  OnKeyPress = FormKeyPress
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object pnlTop: TPanel
    Left = 0
    Top = 0
    Width = 392
    Height = 41
    Align = alTop
    TabOrder = 1
    OnEnter = pnlTopEnter
    OnExit = pnlTopExit
    object lblName: TLabel
      Left = 8
      Top = 12
      Width = 36
      Height = 13
      Caption = '名称(&N)'
      FocusControl = edName
    end
    object edName: TEdit
      Left = 60
      Top = 8
      Width = 121
      Height = 21
      ImeName = '中文 (简体) - 微软拼音'
      MaxLength = 10
      TabOrder = 0
      Text = 'it''s'
      OnChange = edNameChange
      OnEnter = edNameEnter
      OnExit = edNameExit
    end
  end
  object btnOk: TButton
    Left = 200
    Top = 240
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    TabOrder = 0
    OnClick = btnOkClick
  end
end
