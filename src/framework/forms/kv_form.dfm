object KVForm: TKVForm
  Left = 0
  Top = 0
  Width = 400
  Height = 191
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = '宋体'
  Font.Style = []
  KeyPreview = True
  OldCreateOrder = False
  Position = poScreenCenter
  Scaled = False
  ShowHint = True
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object KvConverter: TCodeConverter
    DesignType = dtClient
  end
  object LangController: TKvLangController
    Active = False
  end
end
